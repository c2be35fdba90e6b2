// Device URIs of the connection types: the URI built from the connection
// fields of the queue being edited, the reading of a queue's URI back into
// those fields, the checks of the host fields that go into network URIs, and
// the shell-escaped form in which usb: URIs appear in the printed command lines.
#pragma once

#include <string>

// The URI of a local device path: "serial:" for a path under /dev/tty,
// "parallel:" for one under /dev/lp, "file:" for any other.
std::string localDeviceUri(const std::string& devicePath);

// The file: URI of a path, its path escaped by libcups ("file:/tmp/a%20b");
// a path libcups cannot take stays "file:" + path.
std::string fileDeviceUri(const std::string& path);
// What follows "file:" in fileDeviceUri: the value of the commands that
// write "file:%s".
std::string fileUriTail(const std::string& path);

// A usb: URI as the command lines show it (checkUSBString): "usb:" and the slashes after it
// dropped, a backslash before each blank, "(" and ")" and before a "%" that
// has no "%" beside it. A text without "usb:" is shown unchanged.
std::string usbShellText(const std::string& text);
// The usb: URI of a USB text (a device name, typed or listed, with or without
// a leading "usb://"), as CUPS's usb back end writes it for the device: assembled by
// libcups from the make (up to the first "/") and the rest, blanks and the
// other bytes a URI cannot hold escaped ("usb://Velta/P4700%20XL?serial=1").
// An escape already in the text ("%20") is kept; a "%" that begins none is
// written "%25". False (and `why`) when libcups cannot form or read it.
bool makeUsbUri(const std::string& text, std::string* uri, std::string* why);
// The USB text as the printer's record keeps it: in makeUsbUri's form, so
// that it agrees with the queue's URI in CUPS; "usb://" kept only when the
// text has it. A text no URI can be made of, or whose escaped form the
// record's field (kUsbFieldSize) cannot hold, is kept as it is.
std::string usbRecordText(const std::string& text);

// An IPP path as a person reads it on a command line (checkIPPString):
// leading slashes dropped, a backslash before each blank, "(" and ")" and
// before a "%" that has no "%" beside it; an empty path becomes "ipp". For
// showing only: the URI that is sent is built by makeIppUri.
std::string ippPathShellText(const std::string& path);

// An IPP path as the URI holds it before escaping: leading slashes dropped,
// an empty path becomes "ipp".
std::string ippPathValue(const std::string& path);

// Checks a host field of a connection form: a host name (labels of letters,
// digits, "-" and "_" joined by "."), an IPv4 address or an IPv6 address in
// brackets, followed by ":PORT" (1..65535) only when `portAllowed`. On
// success `host` gets the bare host (an IPv6 address without its brackets)
// and `port` the port or 0; on failure `why` says what is wrong.
bool splitHostField(const std::string& field, bool portAllowed, std::string* host, int* port,
                    std::string* why);

// The network URIs of the connection forms, assembled by libcups so that the
// path and queue parts are escaped. False (and `why`) when a field cannot be
// used: the host as splitHostField checks it (the LPD and IPP hosts may carry
// a port, the TCP host may not: it has its port field), the TCP port
// outside 1..65535.
bool makeLpdUri(const std::string& host, const std::string& queue, std::string* uri, std::string* why);
bool makeSocketUri(const std::string& host, int port, std::string* uri, std::string* why);
bool makeIppUri(const std::string& host, const std::string& path, std::string* uri, std::string* why);

// Shows why a device field was refused (doMessage code 1, title "Device URI").
void reportDeviceField(const std::string& why);

// The device URI for the connection fields of the state; "" when the
// connection type has no URI or a field is refused (a host, a port, a file
// path not beginning with "/"; `why` then says which): nothing must then be
// sent. With `shownText`, also the URI as the printed command line shows it
// (the usb: form escaped; any other as it is sent).
std::string buildDeviceURI(std::string* shownText = nullptr, std::string* why = nullptr);

// True when the URI parses as a URI (scheme, and host or path).
bool isParsableUri(const std::string& uri);

// Reads the current printer's device URI (getCUPSInfo: the daemon's, else
// printers.conf's) and sets connectType and the matching connection fields.
// A "file:" URI naming /dev/null is the local device or the file queue that
// the printer's record (the configuration file read last, when it is this
// printer's) names, else an old IPP queue (type 1). A record that exists but
// could not be used is named in a code-1 notice. Returns the connection
// type, or a negative value (fields unchanged) when the queue, its URI or
// the URI's scheme is not usable.
int parseDeviceURI();

// The connection type of a URI of type `uriType` for a queue whose record
// names `recordedType`: only the /dev/null URI (type 1) takes the record's
// local device (4) or file (7).
int nullDeviceType(int uriType, int recordedType);

// Every connection field back to a new queue's: no host, device, USB device
// or file; port 9100, IPP path "ipp", remote queue "lp", device /dev/null.
void clearConnectionFields();

// The connection fields of the state as one value, taken out and put back
// whole.
struct ConnectionFields {
  int connectType = 0, connectKind = 0;
  std::string printerHost, lpdHost, remoteQueue;
  int lpdRemoteKind = 0;
  std::string tcpHost;
  int tcpPort = 0;
  std::string deviceName;
  int localDeviceKind = 0;
  int usbVariant = 0;
  std::string usbDeviceId, usbDevicePath, ippHost, ippPath, fileName;
};
ConnectionFields takeConnectionFields();
void putConnectionFields(const ConnectionFields& c);

// Applies one device URI of a known connection type to the connection
// fields; the fields of the other connection types are cleared. Returns the
// type, or -1 (fields unchanged) when the URI does not parse.
int applyDeviceURI(int type, const std::string& uri);

// Copies up to the first NUL, LF, form feed, CR or blank.
std::string copyUriToken(const std::string& text, size_t pos = 0);
// Copies up to the first NUL, LF, CR, blank, "/" or ":".
std::string copyHostToken(const std::string& text, size_t pos = 0);
