// The one check of a queue name before it reaches the spooler. Every path
// that creates, deletes or changes a queue, and the pages that read a name
// back, ask it first, so that a name can never become an option of a spooler
// command or escape the directories named after queues.
#pragma once

#include <string>

// The longest queue name the spooler takes, in bytes.
constexpr size_t kMaxQueueNameBytes = 127;

// True when `name` can name a queue: not empty, not "." or "..", not beginning with "-", no
// blanks or control characters, none of "/", "\\", "#", "'" and "\"", and at
// most kMaxQueueNameBytes bytes. Otherwise false, and `why` (when given)
// receives the rule it breaks, as the message shows it.
bool checkQueueName(const std::string& name, std::string* why);

// The same check; a refused name is reported through doMessage (code 1,
// title "Queue Name") and gives false.
bool reportQueueName(const std::string& name);
