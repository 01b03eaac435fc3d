#pragma once
// Zrlanguage.so — conversion between simplified Chinese (GB) and traditional Chinese (Big5)
// texts, loaded by name by the code converter ("Zrlanguage.dll" on the original platform).
//
// Texts in and out are NUL-terminated UTF-8. The result has the same meaning in the other script
// ("简体中文" <-> "簡體中文"); characters without a counterpart pass through unchanged.
//
// Memory contract: the returned pointer belongs to the library. It points into a buffer kept per
// calling thread and per function, valid until the same thread calls the same function again
// (or the library is unloaded); the caller copies the text and never frees it. A null argument
// gives an empty text; a text that is not valid UTF-8, or a failure of the conversion tables,
// gives the input back unchanged (copied into the buffer).
//
// Each direction's converter is built once per process, on first use, from OpenCC's
// "s2t.json" / "t2s.json" configurations.

#ifdef __cplusplus
extern "C" {
#endif

const char* GBtoBIG5(const char* text);
const char* BIG5toGB(const char* text);

#ifdef __cplusplus
}
#endif
