// The filter's name and version, as the job header's first line and the usage
// text show them.
#pragma once

#define QORGSFILTER_NAME "qorgsfilter"
#define QORGSFILTER_VERSION "2.0-10 i386"
