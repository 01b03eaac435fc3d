#include "lib/DIVUREdiveruvoU.h"

#include "lib/AlertLog.h"
#include "platform/CodePage.h"
#include "platform/MachineRegistry.h"
#include "platform/SystemInfo.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace zrv {

namespace {

    const char kProductKey[] = "Software\\ZRV\\Orvane";

    // The temporary folder the system gives, as long as it fits the buffer the generator has
    // always read it into.
    constexpr size_t kTempPathBuffer = 255;

    std::string LocalStamp()
    {
        std::time_t now = std::time(nullptr);
        std::tm tm {};
        localtime_r(&now, &tm);
        char stamp[128];
        // The locale's short date and long time.
        if (std::strftime(stamp, sizeof stamp, "%x %X", &tm) == 0)
            return {};
        return stamp;
    }

    uint8_t RotateRight(uint8_t byte, unsigned places)
    {
        places %= 8;
        return places == 0 ? byte : static_cast<uint8_t>((byte >> places) | (byte << (8 - places)));
    }

    uint8_t RotateLeft(uint8_t byte, unsigned places)
    {
        places %= 8;
        return places == 0 ? byte : static_cast<uint8_t>((byte << places) | (byte >> (8 - places)));
    }

    std::string Formatted(const char* format, int number, int code)
    {
        char buf[96];
        std::snprintf(buf, sizeof buf, format, number, code);
        return buf;
    }

} // namespace

std::string GeneratorRootPath()
{
    try {
        for (const char* name : { "ClientPath", "ServerPath" }) {
            auto value = MachineRegistry::ReadString(kProductKey, name);
            if (value && !value->empty())
                return *value;
        }
        std::string temp = TempFolder();
        if (!temp.empty() && temp.size() < kTempPathBuffer)
            return temp;
    } catch (const std::exception&) {
    }
    return "/tmp";
}

bool WriteGeneratorLog(std::string_view text)
{
    try {
        std::string folder = JoinPath(GeneratorRootPath(), "Log");
        if (!ForceDirectories(folder))
            return false;
        DateParts now = LocalNow();
        char date[16];
        std::snprintf(date, sizeof date, "%.4d%.2d%.2d", now.year, now.month, now.day);
        std::string file = JoinPath(folder, std::string("Alert_DIVUREdiveruvo_") + date + ".log");
        std::string line = "[";
        line.append(LocalStamp()).append("] ").append(text);
        return AppendLogLine(file, line);
    } catch (const std::exception&) {
        return false;
    }
}

std::string ExceptionClassName(const std::exception& error)
{
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    // Our own kinds are known by their bare names.
    if (name.rfind("zrv::", 0) == 0)
        name.erase(0, 5);
    return name;
}

void ReportException(const std::exception* error, std::string_view location, std::string_view note)
{
    const std::string dashes = "----------------------------------";
    std::string where
        = Trim(location).empty() ? std::string() : " on " + std::string(location) + " ";
    WriteGeneratorLog(dashes + where + dashes);
    if (error) {
        WriteGeneratorLog("讯息信息:");
        int count = 1;
        if (auto db = dynamic_cast<const EDBEngineError*>(error)) {
            count = static_cast<int>(db->Entries().size());
            int number = 0;
            for (const auto& entry : db->Entries())
                WriteGeneratorLog(Formatted("EDBEngineError Error %.2d: Code: %d, Message: ",
                                      ++number, entry.code)
                    + entry.message);
        } else if (auto os = dynamic_cast<const EWin32Error*>(error)) {
            WriteGeneratorLog(
                Formatted("EWin32Error Error %.2d: Code: %d, Message: ", 1, os->ErrorCode())
                + os->what());
        } else if (auto io = dynamic_cast<const EInOutError*>(error)) {
            WriteGeneratorLog(
                Formatted("EInOutError Error %.2d: Code: %d, Message: ", 1, io->ErrorCode())
                + io->what());
        } else {
            char head[32];
            std::snprintf(head, sizeof head, "\r\nMessage %.2d: ", 1);
            WriteGeneratorLog("Exception is " + ExceptionClassName(*error) + head + error->what());
        }
        char countLine[48];
        std::snprintf(countLine, sizeof countLine, "ErrorMessage Count: %d", count);
        WriteGeneratorLog(countLine);
    }
    if (!Trim(note).empty())
        WriteGeneratorLog("Programer Message: " + std::string(note));
}

std::string ScramblePassword(std::string_view clear)
{
    std::string_view text = clear.empty() ? std::string_view(kEmptyPasswordMarker) : clear;
    static const char digits[] = "0123456789abcdef";
    std::string scrambled;
    scrambled.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) {
        uint8_t byte
            = RotateRight(static_cast<uint8_t>(text[i]), static_cast<unsigned>((i + 1) % 8));
        scrambled += digits[byte >> 4];
        scrambled += digits[byte & 0x0F];
    }
    return scrambled;
}

std::string UnscramblePassword(std::string_view scrambled)
{
    try {
        std::string clear;
        clear.reserve(scrambled.size() / 2);
        for (size_t k = 0; k + 1 < scrambled.size(); k += 2) {
            int high = HexDigitValue(scrambled[k]);
            int low = HexDigitValue(scrambled[k + 1]);
            if (high < 0 || low < 0)
                throw EConvertError("'" + std::string(scrambled.substr(k, 2))
                    + "' is not a valid hexadecimal byte");
            auto byte = static_cast<uint8_t>(high * 16 + low);
            clear += static_cast<char>(RotateLeft(byte, static_cast<unsigned>((k / 2 + 1) % 8)));
        }
        return clear == kEmptyPasswordMarker ? std::string() : clear;
    } catch (const std::exception& e) {
        ReportException(&e, ScramblePassword("DecodeSQLSa"), "解析 Sa 时发生错误!");
        return kPasswordErrorMarker;
    }
}

} // namespace zrv
