// The printing system's environment values that a filter run takes over.
#pragma once

#include "job_settings.h"

// Copies USER, PRINTER, TITLE (only when -V gave no title), DEVICE_URI, PPD,
// CUPS_SERVER and SERVER_ADMIN into the settings, each when set; traces
// them on standard error when the debug level is above 0.
void readCupsEnvironment(JobSettings& settings);
