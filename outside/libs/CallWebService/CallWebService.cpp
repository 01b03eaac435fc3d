#include "CallWebService.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#define CWS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Sink {
    FILE* file = nullptr;
    bool failed = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    size_t bytes = size * count;
    if (bytes && std::fwrite(data, 1, bytes, sink->file) != bytes) {
        sink->failed = true;
        return 0; // ends the transfer
    }
    return bytes;
}

// The answer file is opened without following a link: the caller made it, and nobody else may
// redirect the answer somewhere else.
FILE* OpenAnswerFile(const char* path)
{
    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    FILE* f = ::fdopen(fd, "wb");
    if (!f)
        ::close(fd);
    return f;
}

struct Easy {
    CURL* handle = curl_easy_init();
    curl_slist* headers = nullptr;
    ~Easy()
    {
        curl_slist_free_all(headers);
        if (handle)
            curl_easy_cleanup(handle);
    }
};

} // namespace

CWS_EXPORT int CallWebServiceFx(
    const char* endpoint, const char* method, const char* request, const char* answerPath)
{
    if (!endpoint || !*endpoint || !method || !request || !answerPath || !*answerPath)
        return -1;
    // The method goes into a header line: a line break in it would forge further headers.
    if (std::strpbrk(method, "\r\n") || std::strpbrk(endpoint, "\r\n"))
        return -1;

    Easy easy;
    if (!easy.handle)
        return -3;
    std::string action = std::string("SOAPAction: \"") + method + "\"";
    for (const char* h : { "Content-Type: text/xml; charset=utf-8", action.c_str(), "Expect:" }) {
        curl_slist* next = curl_slist_append(easy.headers, h);
        if (!next)
            return -3;
        easy.headers = next;
    }

    Sink sink;
    sink.file = OpenAnswerFile(answerPath);
    if (!sink.file)
        return -2;

    CURL* c = easy.handle;
    curl_easy_setopt(c, CURLOPT_URL, endpoint);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, request);
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(std::strlen(request)));
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, easy.headers);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "CallWebService/9.0");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 15L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);

    CURLcode res = curl_easy_perform(c);
    bool closed = std::fclose(sink.file) == 0;
    if (sink.failed || (res == CURLE_OK && !closed))
        return -2;
    if (res != CURLE_OK)
        return -1000 - static_cast<int>(res);

    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    // A reply with an error status is still CURLE_OK: the status decides.
    if (status >= 200 && status < 300)
        return 0;
    return status > 0 ? static_cast<int>(status)
                      : -1000 - static_cast<int>(CURLE_WEIRD_SERVER_REPLY);
}

CWS_EXPORT const char* CallWebServiceFxErrorText(int code)
{
    switch (code) {
    case 0:
        return "OK";
    case -1:
        return "missing argument";
    case -2:
        return "the answer file cannot be written";
    case -3:
        return "the HTTP client cannot be set up";
    }
    if (code >= 100 && code <= 599) {
        static const char* const classes[] = { "informational reply", "", "redirection",
            "the service refused the request (client error)", "the service failed (server error)" };
        thread_local std::string text;
        text = "HTTP status " + std::to_string(code) + ": " + classes[code / 100 - 1];
        return text.c_str();
    }
    if (code <= -1000)
        return curl_easy_strerror(static_cast<CURLcode>(-1000 - code));
    return "unknown error";
}
