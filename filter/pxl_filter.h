// The PCL XL road of the PXL work mode.
#pragma once

#include "job_settings.h"
#include "stream_io.h"

// Copies the PCL XL stream from in to out with the job's page attributes.
void filterPCLXL(InputReader& in, OutputWriter& out, JobSettings& settings);
