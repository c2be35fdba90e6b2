// Colour schemes of colourMode (see colour_scheme.h).
#include "colour_scheme.h"

#include <Xm/Xm.h>

#include "screen_values.h"
#include "setup_state.h"

namespace {

struct Scheme {
  const char* foreground;
  const char* background;
};

// Indexed by colourMode 1..3.
const Scheme kSchemes[4] = {
    {nullptr, nullptr}, {"black", "gray"}, {"black", "white"}, {"white", "gray"},
};

const Scheme* currentScheme() {
  int mode = setup().colourMode;
  if (mode < 1 || mode > 3) return nullptr;
  return &kSchemes[mode];
}

}  // namespace

bool hasColourScheme() { return currentScheme() != nullptr; }

Pixel schemeBackground(Widget reference) {
  const Scheme* s = currentScheme();
  if (s) return getColorPixel(reference, s->background);
  Pixel background = 0;
  XtVaGetValues(reference, XmNbackground, &background, nullptr);
  return background;
}

Cardinal addColourArgs(Arg* args, Cardinal n, Widget reference) {
  const Scheme* s = currentScheme();
  if (!s || !reference) return n;
  XtSetArg(args[n], XmNforeground, getColorPixel(reference, s->foreground)), ++n;
  XtSetArg(args[n], XmNbackground, getColorPixel(reference, s->background)), ++n;
  return n;
}

void applyColourScheme(Widget widget) {
  const Scheme* s = currentScheme();
  if (!s || !widget) return;
  XtVaSetValues(widget, XmNforeground, getColorPixel(widget, s->foreground), XmNbackground,
                getColorPixel(widget, s->background), nullptr);
}
