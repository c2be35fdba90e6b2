// Identifying the printer model from the queue's PPD file.
#pragma once

#include <string>

#include "job_settings.h"

// The model name of the PPD's first line holding "ModelName:": the text
// after the first double quote that follows the keyword, up to the next
// quote or the line's end, cut to 63 characters. Only a regular file is
// read, and only its first 4 MiB. Empty when the file cannot be read, is no
// regular file, has no such line there, or the line has no quote.
std::string readPpdModelName(const std::string& ppdPath);

// The model id of the PPD named in the settings (0 when unknown).
int getModelId(const JobSettings& settings);
