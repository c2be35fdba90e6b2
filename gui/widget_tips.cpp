// Tool tips of the program's widgets, on the widget set's tool tips.
#include "widget_tips.h"

#include "tool_tip.h"

void addTip(Widget widget, const char* text) {
  if (widget) addToolTip(widget, text);
}

void setTipsEnabled(bool on) { toolTipEnabled = on ? True : False; }
bool tipsEnabled() { return toolTipEnabled != False; }
