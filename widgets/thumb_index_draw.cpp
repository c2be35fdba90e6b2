// XwThumbIndex's drawing: the five graphics contexts and the tabs, each a
// body with its text and top shadow and two slanted sides, drawn so that
// the selected tab lies on top and its neighbours overlap towards it.
#include "thumb_index_internal.h"

#include <Xm/XmP.h>

namespace {

XmPrimitivePart& primitive(Widget w) { return reinterpret_cast<XmPrimitiveWidget>(w)->primitive; }

GC sharedGC(Widget w, Pixel foreground, int lineWidth) {
  XGCValues values;
  values.foreground = foreground;
  values.background = w->core.background_pixel;
  values.line_width = lineWidth;
  values.graphics_exposures = False;
  return XtGetGC(w, GCForeground | GCBackground | GCLineWidth | GCGraphicsExposures, &values);
}

void fillTriangle(Display* d, Window win, GC gc, int x1, int y1, int x2, int y2, int x3, int y3) {
  XPoint points[3] = {{static_cast<short>(x1), static_cast<short>(y1)},
                      {static_cast<short>(x2), static_cast<short>(y2)},
                      {static_cast<short>(x3), static_cast<short>(y3)}};
  XFillPolygon(d, win, gc, points, 3, Convex, CoordModeOrigin);
}

void fillBand(Display* d, Window win, GC gc, int ax, int ay, int bx, int by, int cx, int cy, int dx,
              int dy) {
  XPoint points[4] = {{static_cast<short>(ax), static_cast<short>(ay)},
                      {static_cast<short>(bx), static_cast<short>(by)},
                      {static_cast<short>(cx), static_cast<short>(cy)},
                      {static_cast<short>(dx), static_cast<short>(dy)}};
  XFillPolygon(d, win, gc, points, 4, Convex, CoordModeOrigin);
}

// The left slant: the triangle between the body's left side, the bottom
// edge and the slant's foot, with a top-shadow band along its slanted edge.
void drawLeftSlant(Widget w, const ThumbTab& tab) {
  ThumbIndexState& s = thumbState(w);
  if (tab.slantLeft <= 0) return;
  Display* d = XtDisplay(w);
  Window win = XtWindow(w);
  int h = tab.height, x = tab.x, foot = tab.x - tab.slantLeft;
  fillTriangle(d, win, s.indexGC, x, 0, x, h, foot, h);
  int st = primitive(w).shadow_thickness;
  if (st > 0) {
    int band = st < tab.slantLeft ? st : tab.slantLeft;
    fillBand(d, win, s.topShadowGC, x, 0, foot, h, foot + band, h, x, band * h / tab.slantLeft);
  }
}

// The right slant, with a bottom-shadow band.
void drawRightSlant(Widget w, const ThumbTab& tab) {
  ThumbIndexState& s = thumbState(w);
  if (tab.slantRight <= 0) return;
  Display* d = XtDisplay(w);
  Window win = XtWindow(w);
  int h = tab.height, x = tab.slantRightX, foot = tab.slantRightX + tab.slantRight;
  fillTriangle(d, win, s.indexGC, x, 0, x, h, foot, h);
  int st = primitive(w).shadow_thickness;
  if (st > 0) {
    int band = st < tab.slantRight ? st : tab.slantRight;
    fillBand(d, win, s.bottomShadowGC, x, 0, foot, h, foot - band, h, x, band * h / tab.slantRight);
  }
}

void drawBody(Widget w, int position) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  const ThumbTab& tab = s.tabs[position];
  Display* d = XtDisplay(w);
  Window win = XtWindow(w);
  XFillRectangle(d, win, s.indexGC, tab.x, 0, static_cast<unsigned>(tab.width),
                 static_cast<unsigned>(tab.height));
  if (s.hasFocus && !tab.more() && tab.label == s.focusLabel)
    XDrawRectangle(d, win, s.focusGC, tab.focusX, tab.focusY,
                   static_cast<unsigned>(tab.focusWidth - 1), static_cast<unsigned>(tab.focusHeight - 1));
  if (t.font_list) {
    std::string text = tab.more() ? std::string(kThumbMoreLabel) : s.labels.shown(tab.label);
    if (!text.empty()) {
      XmString str = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
      int width = XmStringWidth(t.font_list, str);
      XmStringDraw(d, win, t.font_list, str, s.textGC, static_cast<Position>(tab.textX),
                   static_cast<Position>(tab.textY), static_cast<Dimension>(width),
                   XmALIGNMENT_BEGINNING, XmSTRING_DIRECTION_L_TO_R, nullptr);
      XmStringFree(str);
    }
  }
  int st = primitive(w).shadow_thickness;
  if (st > 0)
    XFillRectangle(d, win, s.topShadowGC, tab.x, 0, static_cast<unsigned>(tab.width),
                   static_cast<unsigned>(st));
}

void drawTab(Widget w, int position, bool leftFirst) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  const ThumbTab& tab = s.tabs[position];
  bool selected = position == s.selectedPosition;
  XSetForeground(XtDisplay(w), s.indexGC, selected ? t.selected_index_color : t.index_color);
  XSetBackground(XtDisplay(w), s.textGC, selected ? t.selected_index_color : t.index_color);
  drawBody(w, position);
  if (leftFirst) {
    drawLeftSlant(w, tab);
    drawRightSlant(w, tab);
  } else {
    drawRightSlant(w, tab);
    drawLeftSlant(w, tab);
  }
}

}  // namespace

void thumbMakeGCs(Widget w) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  XmPrimitivePart& p = primitive(w);
  XGCValues values;
  values.foreground = t.index_color;
  values.background = w->core.background_pixel;
  values.graphics_exposures = False;
  // The fill colour changes for the selected tab.
  s.indexGC = XtAllocateGC(w, 0, GCForeground | GCBackground | GCGraphicsExposures, &values,
                           GCForeground, 0);
  values.foreground = t.index_text_color;
  values.background = t.index_color;
  values.line_width = p.highlight_thickness;
  XFontStruct* font = nullptr;
  XtGCMask mask = GCForeground | GCBackground | GCLineWidth | GCGraphicsExposures;
  if (t.font_list && XmeRenderTableGetDefaultFont(t.font_list, &font) && font) {
    values.font = font->fid;
    mask |= GCFont;
  }
  // XmStringDraw sets the font of each rendition it draws.
  s.textGC = XtAllocateGC(w, 0, mask, &values, GCFont | GCBackground, 0);
  s.focusGC = sharedGC(w, p.highlight_color, 1);
  s.topShadowGC = sharedGC(w, p.top_shadow_color, 0);
  s.bottomShadowGC = sharedGC(w, p.bottom_shadow_color, 0);
}

void thumbFreeGCs(Widget w) {
  ThumbIndexState& s = thumbState(w);
  for (GC* gc : {&s.indexGC, &s.textGC, &s.focusGC, &s.topShadowGC, &s.bottomShadowGC}) {
    if (*gc) XtReleaseGC(w, *gc);
    *gc = nullptr;
  }
}

void thumbRedraw(Widget w) {
  if (!XtIsRealized(w) || !thumbPart(w).state) return;
  ThumbIndexState& s = thumbState(w);
  XClearWindow(XtDisplay(w), XtWindow(w));
  int count = static_cast<int>(s.tabs.size());
  int selected = s.selectedPosition;
  if (selected < 0 || selected >= count) selected = count;  // none shown: all from the left
  for (int i = 0; i < selected && i < count; ++i) drawTab(w, i, true);
  for (int i = count - 1; i > selected; --i) drawTab(w, i, false);
  if (selected < count) drawTab(w, selected, true);
}
