#pragma once
// Calls to a web service through the outside library "CallWebService.dll": the library posts the
// request and writes the service's answer into a temporary file, which is read back and removed.

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zrv {

// A web-service call that failed after the library was reached: the service answered with an
// error status, could not be reached, or the answer file could not be read. `Answer` holds
// whatever the service sent back (an error page or fault), possibly empty.
class WebServiceError : public std::runtime_error {
public:
    WebServiceError(const std::string& message, int code, std::string answer)
        : std::runtime_error(message)
        , code_(code)
        , answer_(std::move(answer))
    {
    }
    int Code() const { return code_; } // the library's result; 0 when the file was at fault
    const std::string& Answer() const { return answer_; }

private:
    int code_;
    std::string answer_;
};

// Posts `request` to `endpoint` with the method name (the SOAP action) and returns the answer
// text (line breaks as "\n", each line ended by one). Empty when the library or its entry point
// is missing; raises WebServiceError when the call itself fails. The library name is fixed for
// the system; tests may name another.
std::string CallWebService(const std::string& endpoint, const std::string& method,
    const std::string& request, const std::string& libraryName = "CallWebService.dll");

// The answer file for a call at `when`: folder + "~Tarvo_" + "YYYYMMDDHHNNSSZZZ" (local time,
// hours 00-23, milliseconds) + ".tmp". The folder is used as given (with its trailing "/").
std::string TarvoTempFileName(
    const std::string& folder, std::chrono::system_clock::time_point when);

// A tester may start the host program with "T" as its last argument: every web-service call
// then pauses first with a message, so that a debugger can be attached. The pause goes through a
// hook that the user-interface layer sets to show the message and wait; without a hook the
// message goes to the standard error and, on a terminal, waits for Enter. nullptr restores that.
using WebServicePauseHook = std::function<void(const std::string& message)>;
void SetWebServicePauseHook(WebServicePauseHook hook);
// The message of the pause.
extern const char* const kWebServicePauseMessage;
// The running program's arguments, the program itself first (from /proc/self/cmdline).
std::vector<std::string> CommandLineArguments();
// Whether the last argument (after the program) is "T", in any case.
bool TracePauseRequested(const std::vector<std::string>& arguments);

} // namespace zrv
