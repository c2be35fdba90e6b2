// Device URIs of the connection types: the URI built from the connection
// fields of the queue being edited, the reading of a queue's URI back into
// those fields, and the shell-escaped forms in which usb: URIs and IPP paths
// appear in the printed command lines.
#pragma once

#include <string>

// The URI of a local device path: "serial:" for a path under /dev/tty,
// "parallel:" for one under /dev/lp, "file:" for any other.
std::string localDeviceUri(const std::string& devicePath);

// A usb: URI as the command lines show it (checkUSBString): "usb:" and the slashes after it
// dropped, a backslash before each blank, "(" and ")" and before a "%" that
// has no "%" beside it. A text without "usb:" is shown unchanged.
std::string usbShellText(const std::string& text);
// The same text as the command receives it: "usb:" and its slashes dropped,
// nothing escaped. Callers put "usb://" in front of either.
std::string usbUriValue(const std::string& text);

// An IPP path as the command lines show it: leading slashes dropped, blanks,
// "(", ")" and lone "%" escaped; an empty path becomes "ipp".
std::string ippPathShellText(const std::string& path);
// The same path as the command receives it (nothing escaped).
std::string ippPathValue(const std::string& path);

// The device URI for the connection fields of the state; "" when the
// connection type has no URI (nothing must then be sent). With `shownText`,
// also the URI as the printed command line shows it.
std::string buildDeviceURI(std::string* shownText = nullptr);

// True when the URI parses as a URI (scheme, and host or path).
bool isParsableUri(const std::string& uri);

// Reads the current printer's device URI (getCUPSInfo: the daemon's, else
// printers.conf's) and sets connectType and the matching connection fields.
// Returns the connection type, or a negative value (fields unchanged) when
// the queue, its URI or the URI's scheme is not usable.
int parseDeviceURI();

// Applies one device URI of a known connection type to the connection
// fields. Returns the type, or -1 (fields unchanged) when the URI does not
// parse.
int applyDeviceURI(int type, const std::string& uri);

// Copies up to the first NUL, LF, form feed, CR or blank.
std::string copyUriToken(const std::string& text, size_t pos = 0);
// Copies up to the first NUL, LF, CR, blank, "/" or ":".
std::string copyHostToken(const std::string& text, size_t pos = 0);
