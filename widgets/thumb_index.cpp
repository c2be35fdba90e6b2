// XwThumbIndex: the class record, resources, the class methods and the
// label operations of the public header. Drawing, the popup menu and the
// actions live in thumb_index_draw.cpp, thumb_index_menu.cpp and
// thumb_index_actions.cpp; the page geometry in thumb_index_pages.cpp.
#include "thumb_index_internal.h"

#include <Xm/XmP.h>

#include <algorithm>

namespace {

void ClassInitialize() {}
void Initialize(Widget request, Widget created, ArgList args, Cardinal* count);
void Realize(Widget w, XtValueMask* mask, XSetWindowAttributes* attributes);
void Destroy(Widget w);
void Resize(Widget w);
void Redisplay(Widget w, XEvent* event, Region region);
Boolean SetValues(Widget old, Widget request, Widget now, ArgList args, Cardinal* count);
void GetValuesHook(Widget, ArgList, Cardinal*) {}
XtGeometryResult QueryGeometry(Widget, XtWidgetGeometry*, XtWidgetGeometry* preferred) {
  preferred->request_mode = 0;
  return XtGeometryAlmost;
}
// The focus is shown on the focus tab, not as a border.
void BorderHighlight(Widget) {}
void DefaultSelectedColor(Widget w, int offset, XrmValue* value);

const char kTranslations[] =
    "<FocusIn>: ProcessTraversal(in)\n"
    "<FocusOut>: ProcessTraversal(out)\n"
    "<Btn1Down>: Activate(mouse)\n"
    "<Key>space: Activate(space)\n"
    "<Key>osfUp: TraverseIndices(prev)\n"
    "<Key>osfDown: TraverseIndices(next)\n"
    "<Key>osfRight: TraverseIndices(next)\n"
    "<Key>osfLeft: TraverseIndices(prev)\n"
    "~Shift <Key>Tab: ProcessTraversal(next)\n"
    "Shift <Key>Tab: ProcessTraversal(prev)";

XtActionsRec actions[] = {
    {(String) "ProcessTraversal", ThumbProcessTraversal},
    {(String) "TraverseIndices", ThumbTraverseIndices},
    {(String) "Activate", ThumbActivate},
};

#define OFFSET(field) XtOffsetOf(XwThumbIndexRec, thumb_index.field)

XtResource resources[] = {
    {(String)XmNactivateCallback, (String)XmCCallback, (String)XmRCallback, sizeof(XtCallbackList),
     OFFSET(activate_callback), (String)XmRImmediate, (XtPointer) nullptr},
    {(String)XwNnumIndices, (String)XwCNumIndices, (String)XmRInt, sizeof(int),
     OFFSET(num_indices), (String)XmRImmediate, (XtPointer)1},
    {(String)XwNselectedIndex, (String)XwCSelectedIndex, (String)XmRInt, sizeof(int),
     OFFSET(selected_index), (String)XmRImmediate, (XtPointer)0},
    {(String)XwNselectedIndexColor, (String)XwCSelectedIndexColor, (String)XmRPixel,
     sizeof(Pixel), OFFSET(selected_index_color), (String)XmRCallProc,
     (XtPointer)DefaultSelectedColor},
    {(String)XwNindexColor, (String)XwCIndexColor, (String)XmRPixel, sizeof(Pixel),
     OFFSET(index_color), (String)XmRString, (XtPointer) "gray60"},
    {(String)XwNindexTextColor, (String)XwCIndexTextColor, (String)XmRPixel, sizeof(Pixel),
     OFFSET(index_text_color), (String)XmRString, (XtPointer) "white"},
    {(String)XwNindexLabels, (String)XwCIndexLabels, (String)XmRStringTable, sizeof(String*),
     OFFSET(index_labels), (String)XmRImmediate, (XtPointer) nullptr},
    {(String)XwNindexOffset, (String)XwCIndexOffset, (String)XmRInt, sizeof(int),
     OFFSET(index_offset), (String)XmRImmediate, (XtPointer)10},
    {(String)XwNindexSlantLeft, (String)XwCIndexSlantLeft, (String)XmRInt, sizeof(int),
     OFFSET(index_slant_left), (String)XmRImmediate, (XtPointer)15},
    {(String)XwNindexSlantRight, (String)XwCIndexSlantRight, (String)XmRInt, sizeof(int),
     OFFSET(index_slant_right), (String)XmRImmediate, (XtPointer)15},
    {(String)XmNmarginWidth, (String)XmCMarginWidth, (String)XmRInt, sizeof(int),
     OFFSET(margin_width), (String)XmRImmediate, (XtPointer)10},
    {(String)XmNfontList, (String)XmCFontList, (String)XmRFontList, sizeof(XmFontList),
     OFFSET(font_list), (String)XmRString, (XtPointer) "9x15bold"},
};

#undef OFFSET

}  // namespace

XwThumbIndexClassRec xwThumbIndexClassRec = {
    {
        // core_class
        (WidgetClass)&xmPrimitiveClassRec,  // superclass
        (String) "XwThumbIndex",            // class_name
        sizeof(XwThumbIndexRec),            // widget_size
        ClassInitialize,                    // class_initialize
        nullptr,                            // class_part_initialize
        False,                              // class_inited
        Initialize,                         // initialize
        nullptr,                            // initialize_hook
        Realize,                            // realize
        actions,                            // actions
        XtNumber(actions),                  // num_actions
        resources,                          // resources
        XtNumber(resources),                // num_resources
        NULLQUARK,                          // xrm_class
        True,                               // compress_motion
        XtExposeCompressMaximal,            // compress_exposure
        True,                               // compress_enterleave
        False,                              // visible_interest
        Destroy,                            // destroy
        Resize,                             // resize
        Redisplay,                          // expose
        SetValues,                          // set_values
        nullptr,                            // set_values_hook
        XtInheritSetValuesAlmost,           // set_values_almost
        GetValuesHook,                      // get_values_hook
        nullptr,                            // accept_focus
        XtVersion,                          // version
        nullptr,                            // callback_private
        const_cast<char*>(kTranslations),   // tm_table
        QueryGeometry,                      // query_geometry
        nullptr,                            // display_accelerator
        nullptr,                            // extension
    },
    {
        // primitive_class
        BorderHighlight,  // border_highlight
        BorderHighlight,  // border_unhighlight
        nullptr,          // translations
        nullptr,          // arm_and_activate
        nullptr,          // syn_resources
        0,                // num_syn_resources
        nullptr,          // extension
    },
    {
        // thumb_index_class
        nullptr,  // extension
    },
};

WidgetClass xwThumbIndexWidgetClass = (WidgetClass)&xwThumbIndexClassRec;

XwThumbIndexPart& thumbPart(Widget w) { return reinterpret_cast<XwThumbIndexWidget>(w)->thumb_index; }

ThumbIndexState& thumbState(Widget w) { return *thumbPart(w).state; }

namespace {

bool isThumbIndex(Widget w) { return w && XtIsSubclass(w, xwThumbIndexWidgetClass); }

XmPrimitivePart& primitive(Widget w) { return reinterpret_cast<XmPrimitiveWidget>(w)->primitive; }

void DefaultSelectedColor(Widget w, int, XrmValue* value) {
  static Pixel background;
  background = w->core.background_pixel;
  value->addr = reinterpret_cast<XPointer>(&background);
  value->size = sizeof background;
}

ThumbGeometry geometryOf(Widget w) {
  XwThumbIndexPart& t = thumbPart(w);
  XmPrimitivePart& p = primitive(w);
  ThumbGeometry g;
  g.width = w->core.width;
  g.height = w->core.height;
  g.offset = t.index_offset;
  g.slantLeft = t.index_slant_left;
  g.slantRight = t.index_slant_right;
  g.textTop = p.highlight_thickness + p.shadow_thickness;
  g.textInset = t.margin_width + g.textTop;
  g.focusInset = p.shadow_thickness + p.highlight_thickness / 2;
  return g;
}

int textWidth(XmFontList fonts, const std::string& text, int* height) {
  if (!fonts || text.empty()) return 0;
  XmString s = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
  int width = XmStringWidth(fonts, s);
  if (height) *height = XmStringHeight(fonts, s);
  XmStringFree(s);
  return width;
}

// The preferred size: every tab side by side, as high as the text and its
// insets.
void preferredSize(Widget request, Widget w) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  ThumbGeometry g = geometryOf(w);
  if (request->core.width == 0) {
    int width = t.index_slant_left + t.index_slant_right;
    for (int i = 0; i < s.labels.count(); ++i)
      width += s.labels.at(i).width + (i ? t.index_offset : 0);
    w->core.width = static_cast<Dimension>(std::max(width, 1));
  }
  if (request->core.height == 0) {
    int height = 0;
    textWidth(t.font_list, "Xg", &height);
    w->core.height = static_cast<Dimension>(std::max(height + 2 * g.textTop + 6, 1));
  }
}

void Initialize(Widget request, Widget w, ArgList, Cardinal*) {
  XwThumbIndexPart& t = thumbPart(w);
  t.state = new ThumbIndexState;
  ThumbIndexState& s = *t.state;
  // A missing table or entry gives an empty label; fewer than one label an
  // empty strip.
  for (int i = 0; i < t.num_indices; ++i) {
    const char* text = t.index_labels ? t.index_labels[i] : nullptr;
    s.labels.insert(text ? text : "", -1);
  }
  t.index_labels = nullptr;  // read at creation only; the widget keeps its own copies
  t.num_indices = s.labels.count();
  t.selected_index = 0;
  if (s.focusLabel >= t.num_indices) s.focusLabel = 0;
  thumbMeasureLabels(w);
  preferredSize(request, w);
  thumbMakeGCs(w);
  thumbRelayout(w, true);
  thumbBuildMenu(w);
}

void Realize(Widget w, XtValueMask* mask, XSetWindowAttributes* attributes) {
  xmPrimitiveClassRec.core_class.realize(w, mask, attributes);
  XClearArea(XtDisplay(w), XtWindow(w), 0, 0, 0, 0, True);
}

void Destroy(Widget w) {
  thumbFreeGCs(w);
  delete thumbPart(w).state;
  thumbPart(w).state = nullptr;
}

// The pages depend on the width: a new size splits them again.
void Resize(Widget w) {
  if (!thumbPart(w).state) return;
  thumbRelayout(w, true);
  thumbUpdateSeparators(w);
}

void Redisplay(Widget w, XEvent*, Region) { thumbRedraw(w); }

Boolean SetValues(Widget old, Widget, Widget w, ArgList, Cardinal*) {
  XwThumbIndexPart& was = thumbPart(old);
  XwThumbIndexPart& t = thumbPart(w);
  XmPrimitivePart& wasP = primitive(old);
  XmPrimitivePart& p = primitive(w);
  ThumbIndexState& s = thumbState(w);
  bool redraw = false;

  t.num_indices = s.labels.count();  // labels change through the insert and delete calls
  t.index_labels = nullptr;

  bool geometry = t.index_offset != was.index_offset ||
                  t.index_slant_left != was.index_slant_left ||
                  t.index_slant_right != was.index_slant_right ||
                  t.margin_width != was.margin_width || t.font_list != was.font_list ||
                  p.shadow_thickness != wasP.shadow_thickness ||
                  p.highlight_thickness != wasP.highlight_thickness;
  if (t.selected_index != was.selected_index) {
    if (t.selected_index < 0 || t.selected_index >= s.labels.count()) t.selected_index = 0;
    bool shown = t.selected_index >= s.page.first && t.selected_index <= s.page.last;
    thumbRelayout(w, !shown);
    if (!shown) thumbUpdateSeparators(w);
    redraw = true;
  }
  if (geometry) {
    thumbMeasureLabels(w);
    thumbRelayout(w, true);
    thumbUpdateSeparators(w);
    redraw = true;
  }
  if (p.highlight_color != wasP.highlight_color || p.top_shadow_color != wasP.top_shadow_color ||
      p.bottom_shadow_color != wasP.bottom_shadow_color || t.index_color != was.index_color ||
      t.index_text_color != was.index_text_color || t.font_list != was.font_list) {
    thumbFreeGCs(w);
    thumbMakeGCs(w);
    redraw = true;
  }
  if (t.selected_index_color != was.selected_index_color) redraw = true;
  return redraw ? True : False;
}

void redrawIfRealized(Widget w) {
  if (XtIsRealized(w)) thumbRedraw(w);
}

}  // namespace

void thumbMeasureLabels(Widget w) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  XmPrimitivePart& p = primitive(w);
  int insets = 2 * (p.highlight_thickness + p.shadow_thickness + t.margin_width);
  for (int i = 0; i < s.labels.count(); ++i) {
    ThumbLabel& label = s.labels.at(i);
    label.width = textWidth(t.font_list, label.text, nullptr) + insets;
    if (label.duplicate) label.width += textWidth(t.font_list, thumbSuffix(label.duplicate), nullptr);
  }
}

void thumbRelayout(Widget w, bool choosePage) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  std::vector<int> widths;
  for (int i = 0; i < s.labels.count(); ++i) widths.push_back(s.labels.at(i).width);
  ThumbGeometry g = geometryOf(w);
  s.pages = thumbSplitPages(widths, g);
  if (choosePage) {
    s.page = thumbChoosePage(s.pages, t.selected_index);
  } else if (s.page.last >= s.labels.count()) {
    s.page.last = s.labels.count() - 1;
  }
  s.tabs = thumbLayoutPage(s.page, widths, g);
  s.selectedPosition = thumbPositionOfLabel(s.tabs, t.selected_index);
  if (thumbPositionOfLabel(s.tabs, s.focusLabel) < 0) s.focusLabel = t.selected_index;
}

void thumbCallActivate(Widget w, int previous) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  if (t.selected_index < 0 || t.selected_index >= s.labels.count()) return;
  const ThumbLabel& label = s.labels.at(t.selected_index);
  XwThumbIndexCallbackStruct data;
  data.reason = 0;
  data.event = nullptr;
  data.previousIndex = previous;
  data.selectedIndex = t.selected_index;
  data.label = const_cast<char*>(label.text.c_str());
  data.duplicate = label.duplicate;
  XtCallCallbackList(w, t.activate_callback, &data);
}

Widget XwCreateThumbIndex(Widget parent, const char* name, ArgList args, Cardinal count) {
  return XtCreateWidget(name, xwThumbIndexWidgetClass, parent, args, count);
}

void XwThumbIndexInsertLabel(Widget w, const char* text, int position) {
  if (!isThumbIndex(w) || !XtIsRealized(w)) return;
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  int previous = t.selected_index;
  int at = s.labels.insert(text ? text : "", position);
  if (s.focusLabel >= at && s.labels.count() > 1) ++s.focusLabel;
  t.num_indices = s.labels.count();
  t.selected_index = at;
  thumbMeasureLabels(w);
  thumbRelayout(w, true);
  thumbBuildMenu(w);
  redrawIfRealized(w);
  thumbCallActivate(w, previous);
}

void XwThumbIndexAddLabel(Widget w, const char* text) { XwThumbIndexInsertLabel(w, text, -1); }

void XwThumbIndexDeleteLabel(Widget w, int position) {
  if (!isThumbIndex(w) || !XtIsRealized(w)) return;
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  if (s.labels.count() <= 1 || position < 0 || position >= s.labels.count()) return;
  int previous = t.selected_index;
  bool nearPage = position >= s.page.first - 1 && position <= s.page.last + 1;
  bool selectedGone = position == t.selected_index;
  s.labels.remove(position);
  t.num_indices = s.labels.count();
  if (selectedGone) {
    t.selected_index = position > 0 ? position - 1 : 0;
  } else if (position < t.selected_index) {
    --t.selected_index;
  }
  if (s.focusLabel == position) s.focusLabel = t.selected_index;
  else if (s.focusLabel > position) --s.focusLabel;
  thumbMeasureLabels(w);
  if (nearPage || selectedGone) {
    thumbRelayout(w, true);
    thumbBuildMenu(w);
    redrawIfRealized(w);
  } else {
    // The shown page keeps its labels; only its bounds move.
    if (position < s.page.first) {
      --s.page.first;
      --s.page.last;
    }
    thumbRelayout(w, false);
    thumbBuildMenu(w);
  }
  if (selectedGone) thumbCallActivate(w, previous);
}

void XwThumbIndexDeleteNamedLabel(Widget w, const char* text) {
  if (!isThumbIndex(w) || !text) return;
  int position = thumbState(w).labels.findNamed(text);
  if (position >= 0) XwThumbIndexDeleteLabel(w, position);
}
