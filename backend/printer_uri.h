// Printer URI look-up over IPP: where the jobs of a CUPS printer or class
// really go (host, port and resource of the printer URI), following classes
// to their member printers, also on other servers, up to three levels deep.
#pragma once

#include <cups/http.h>
#include <string>

constexpr int kPrinterUriMaxDepth = 3;     // classes below this depth are not followed
constexpr size_t kPrinterUriFieldSize = 256;  // host and resource texts (255 bytes)
constexpr size_t kClassNameSize = 256;        // a member class's name (255 bytes)

// Looks up `name` on the open connection `http`. Returns 1 when a URI was
// found and split into host, port and resource; 0 otherwise, with host and
// resource empty. Callers start with depth 0.
int cupsGetPrinterUri(http_t* http, const std::string& name, std::string* host, int* port,
                      std::string* resource, int depth);
