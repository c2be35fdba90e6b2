// The one check of a queue name before it reaches the spooler. Every path
// that creates, deletes or changes a queue, and the pages that read a name
// back, ask it first, so that a name can never become an option of a spooler
// command or escape the directories named after queues.
#pragma once

#include <string>

// The longest queue name the spooler takes, in bytes.
constexpr size_t kMaxQueueNameBytes = 127;

// The longest name of a queue this program makes: its record folder and
// its lines in the information file hold names of at most this many bytes.
constexpr size_t kMaxNewQueueNameBytes = 48;

// True when the two names name one queue for the spooler: CUPS compares
// queue names without regard to ASCII case (as strcasecmp does), the other
// spoolers byte for byte.
bool sameQueueName(const std::string& a, const std::string& b);

// True when `name` can name a queue: not empty, not "." or "..", not beginning with "-", no
// blanks or control characters, none of "/", "\\", "#", "'" and "\"", and at
// most kMaxQueueNameBytes bytes. Otherwise false, and `why` (when given)
// receives the rule it breaks, as the message shows it.
bool checkQueueName(const std::string& name, std::string* why);

// The same check; a refused name is reported through doMessage (code 1,
// title "Queue Name") and gives false.
bool reportQueueName(const std::string& name);

// The check of a name for a queue still to be made: at most
// kMaxNewQueueNameBytes bytes, checkQueueName's rules, neither "@", "?" nor
// ":", and only printable ASCII (the text fields give no encoding that CUPS
// would read as UTF-8). Queues that exist under other names are taken as
// they are.
bool checkNewQueueName(const std::string& name, std::string* why);

// The same check; a refused name is reported with code 11 (title "Queue
// Name"), which the user mends on the page, and gives false.
bool reportNewQueueName(const std::string& name);

// True when a file queue's output path begins with "/"; otherwise false, and
// `why` (when given) receives the notice's text.
bool checkFileQueuePath(const std::string& path, std::string* why);

// The same check; a refused path is reported with code 11 (title "File
// Name"), which the user mends on the page, and gives false.
bool reportFileQueuePath(const std::string& path);
