// What the counter's sources share among themselves (not for users of the
// widget).
#pragma once

#include <X11/Intrinsic.h>

#include "counter_value.h"

// The value words of a counter.
CounterWords counterWords(Widget counter);

// Parses the translation tables added to the text field (once per process).
void counterParseTranslations();

// Adds the stepping translations to a counter's text field; the top and
// bottom keys only when the field is not editable.
void counterAddTranslations(Widget text, Boolean editable);

// Registers the "Counter-Manager" action with the counter's application.
void counterRegisterActions(Widget counter);

// Adds the text field's handlers and the arrows' arm and disarm handlers.
void counterAddHandlers(Widget counter);

// Adds the verify, value-changed and activate handlers to the text field.
void counterAddTextHandlers(Widget counter);

// Puts a text that does not show the kept number (outside the limits, a
// sign alone, nothing) back to that number, which is then reported like any
// change; does nothing while the counter reports a change of its own.
void counterCommitText(Widget counter);

// Steps the value by times x increment (clamped to the limits when clamp is
// set) and shows it; False when the step is refused.
Boolean counterStepBy(Widget counter, double times, bool clamp);
