// What OK does for a message that stands for a pending action, by its code:
// 1 ends the program, 2 deletes the current queue, the queue-creation codes
// (5-10, 16-22) hand over to the queue actions and 32 to the advanced page's
// user deletion; other codes do nothing.
#pragma once

// Carries out the action of a message code.
void actOnMessageCode(int code);

// The work of code 2: deletes printerName through the spooler, reads the
// queue list again and, when the delete succeeded, stops managing the queue.
void deleteCurrentQueue();
