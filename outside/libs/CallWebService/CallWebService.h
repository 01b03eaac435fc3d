#pragma once
// CallWebService.so — the web-service caller loaded by name ("CallWebService.dll" on the original
// platform) by the framework's web-service helper.
//
// CallWebServiceFx posts `request` (UTF-8 XML) to `endpoint` (an http:// or https:// address)
// with the header SOAPAction: "<method>" and the content type text/xml; charset=utf-8, and writes
// the body of the reply, byte for byte, into the file `answerPath` (created or truncated; a
// symbolic link there is refused). All four arguments are NUL-terminated UTF-8 texts.
//
// Result:
//   0            the service answered with a 2xx status; the file holds its answer
//   100..599     the service answered with this (non-2xx) HTTP status; the file holds its body
//   -1           a missing argument (null pointer or empty endpoint)
//   -2           the answer file could not be opened or written
//   -3           the HTTP client could not be set up
//   -1000 - c    the service could not be reached: c is the transfer library's error number
//                (connection refused, host not found, time-out, ...); the file may be partial
//
// CallWebServiceFxErrorText gives a short English text for a result (static storage, never
// freed). The call is synchronous: it connects within 15 s and gives up after 120 s in all.

#ifdef __cplusplus
extern "C" {
#endif

int CallWebServiceFx(
    const char* endpoint, const char* method, const char* request, const char* answerPath);
const char* CallWebServiceFxErrorText(int code);

#ifdef __cplusplus
}
#endif
