#include "lib/WebService.h"

#include "platform/CodePage.h"
#include "platform/Library.h"
#include "platform/SystemInfo.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace zrv {

const char* const kWebServicePauseMessage = "跟踪测试中断!可在此时设置Dll之Modules。点\"OK\"继续。";

namespace {

    // The library's contract: four UTF-8 texts; 0 when the answer file holds the service's answer,
    // an HTTP status (100..599) when the service answered with an error (its body is in the
    // file), a negative code when the service could not be reached or the file not written.
    using CallWebServiceFx = int (*)(
        const char* endpoint, const char* method, const char* request, const char* answerPath);
    // Optional: a readable text for a result code.
    using CallWebServiceFxErrorText = const char* (*)(int code);

    std::mutex gHookLock;
    WebServicePauseHook gHook;

    void DefaultPause(const std::string& message)
    {
        std::cerr << message << std::endl;
        if (isatty(STDIN_FILENO)) {
            std::string line;
            std::getline(std::cin, line);
        }
    }

    void Pause()
    {
        WebServicePauseHook hook;
        {
            std::lock_guard guard(gHookLock);
            hook = gHook;
        }
        if (hook)
            hook(kWebServicePauseMessage);
        else
            DefaultPause(kWebServicePauseMessage);
    }

    // Creates the answer file, so that nobody else can have put a file (or a link) there first.
    // The time stamp has millisecond resolution; a name already taken waits for the next one.
    std::string CreateAnswerFile()
    {
        const std::string folder = TempFolder();
        for (int attempt = 0; attempt < 50; ++attempt) {
            std::string name = TarvoTempFileName(folder, std::chrono::system_clock::now());
            int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd >= 0) {
                ::close(fd);
                return name;
            }
            if (errno != EEXIST)
                return {};
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return {};
    }

    // The file as a list of lines joined again: "\r\n", "\n" and "\r" all end a line, and every
    // line ends with "\n" in the result.
    bool ReadAnswer(const std::string& path, std::string& answer)
    {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (in.bad())
            return false;
        std::string text = DecodeLegacyText(bytes.str());
        if (text.starts_with("\xEF\xBB\xBF"))
            text.erase(0, 3);
        answer.clear();
        answer.reserve(text.size() + 1);
        for (size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '\r') {
                if (i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
                answer += '\n';
            } else {
                answer += c;
            }
        }
        if (!answer.empty() && answer.back() != '\n')
            answer += '\n';
        return true;
    }

    std::string DescribeFailure(int code, const Library& library)
    {
        std::string text;
        if (auto describe
            = library.Function<CallWebServiceFxErrorText>("CallWebServiceFxErrorText"))
            if (const char* t = describe(code))
                text = t;
        if (text.empty())
            text = code >= 100 ? "HTTP status " + std::to_string(code)
                               : "error " + std::to_string(code);
        return "Web service call failed: " + text;
    }

} // namespace

std::string TarvoTempFileName(const std::string& folder, std::chrono::system_clock::time_point when)
{
    using namespace std::chrono;
    const time_t seconds = system_clock::to_time_t(when);
    auto msec = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
    if (msec < 0)
        msec += 1000;
    std::tm local {};
    localtime_r(&seconds, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", local.tm_year + 1900,
        local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
        static_cast<int>(msec));
    return folder + "~Tarvo_" + stamp + ".tmp";
}

void SetWebServicePauseHook(WebServicePauseHook hook)
{
    std::lock_guard guard(gHookLock);
    gHook = std::move(hook);
}

std::vector<std::string> CommandLineArguments()
{
    std::vector<std::string> args;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string arg;
    while (std::getline(in, arg, '\0'))
        args.push_back(arg);
    return args;
}

bool TracePauseRequested(const std::vector<std::string>& arguments)
{
    return arguments.size() > 1 && SameText(arguments.back(), "T");
}

std::string CallWebService(const std::string& endpoint, const std::string& method,
    const std::string& request, const std::string& libraryName)
{
    std::string answer;
    std::unique_ptr<Library> library = Library::Load(libraryName);
    if (TracePauseRequested(CommandLineArguments()))
        Pause();
    if (!library)
        return answer;
    auto call = library->Function<CallWebServiceFx>("CallWebServiceFx");
    if (!call)
        return answer;

    const std::string path = CreateAnswerFile();
    if (path.empty())
        throw WebServiceError(
            "Web service call failed: no temporary answer file in " + TempFolder(), 0, "");
    // The answer file goes away whatever happens to the call.
    struct Remove {
        const std::string& path;
        ~Remove() { std::remove(path.c_str()); }
    } remove { path };

    int code = call(endpoint.c_str(), method.c_str(), request.c_str(), path.c_str());
    bool read = ReadAnswer(path, answer);
    if (code != 0)
        throw WebServiceError(DescribeFailure(code, *library), code, read ? answer : std::string());
    if (!read)
        throw WebServiceError(
            "Web service call failed: cannot read the answer file " + path, 0, "");
    return answer;
}

} // namespace zrv
