// Defaults of the filter's job settings record.
#include "job_settings.h"

void initJobSettings(JobSettings& settings) { settings = JobSettings(); }
