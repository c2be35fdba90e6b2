// XwCounter: the class record, resources, creation of the three children,
// geometry and set_values. The steps and the handlers of the children live in
// counter_actions.cpp, the value arithmetic in counter_value.cpp.
#include "counter_p.h"

#include <Xm/ArrowB.h>
#include <Xm/TextF.h>
#include <Xm/XmP.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "counter_internal.h"
#include "counter_value.h"

namespace {

void ClassInitialize();
void Initialize(Widget request, Widget created, ArgList args, Cardinal* count);
void Destroy(Widget w);
void Resize(Widget w);
Boolean SetValues(Widget old, Widget request, Widget now, ArgList args, Cardinal* count);
void GetValuesHook(Widget w, ArgList args, Cardinal* count);
XtGeometryResult QueryGeometry(Widget w, XtWidgetGeometry* intended, XtWidgetGeometry* preferred);
XtGeometryResult GeometryManager(Widget child, XtWidgetGeometry* request, XtWidgetGeometry* reply);
void InsertChild(Widget child);
void DefaultTextBackground(Widget w, int offset, XrmValue* value);

#define OFFSET(field) XtOffsetOf(XwCounterRec, counter.field)

XtResource resources[] = {
    {(String)XmNcolumns, (String)XmCColumns, (String)XmRShort, sizeof(short), OFFSET(columns),
     (String)XmRImmediate, (XtPointer)1},
    {(String)XwNtextBackground, (String)XmCBackground, (String)XmRPixel, sizeof(Pixel),
     OFFSET(text_background), (String)XmRCallProc, (XtPointer)DefaultTextBackground},
    {(String)XmNmarginHeight, (String)XmCMarginHeight, (String)XmRVerticalDimension,
     sizeof(Dimension), OFFSET(margin_height), (String)XmRImmediate, (XtPointer)5},
    {(String)XmNmarginWidth, (String)XmCMarginWidth, (String)XmRHorizontalDimension,
     sizeof(Dimension), OFFSET(margin_width), (String)XmRImmediate, (XtPointer)5},
    {(String)XmNmaxLength, (String)XmCMaxLength, (String)XmRInt, sizeof(int), OFFSET(max_length),
     (String)XmRImmediate, (XtPointer)1},
    {(String)XmNeditable, (String)XmCEditable, (String)XmRBoolean, sizeof(Boolean),
     OFFSET(editable), (String)XmRImmediate, (XtPointer)True},
    {(String)XmNverifyBell, (String)XmCVerifyBell, (String)XmRBoolean, sizeof(Boolean),
     OFFSET(verify_bell), (String)XmRImmediate, (XtPointer)False},
    {(String)XmNfontList, (String)XmCFontList, (String)XmRFontList, sizeof(XmFontList),
     OFFSET(font_list), (String)XmRImmediate, (XtPointer) nullptr},
    {(String)XmNminimum, (String)XmCMinimum, (String)XmRInt, sizeof(int), OFFSET(minimum),
     (String)XmRImmediate, (XtPointer)0},
    {(String)XwNformat, (String)XwCFormat, (String)XmRShort, sizeof(short), OFFSET(format),
     (String)XmRImmediate, (XtPointer)1},
    {(String)XmNmaximum, (String)XmCMaximum, (String)XmRInt, sizeof(int), OFFSET(maximum),
     (String)XmRImmediate, (XtPointer)100},
    {(String)XmNvalue, (String)XmCValue, (String)XmRInt, sizeof(int), OFFSET(value),
     (String)XmRImmediate, (XtPointer)0},
    {(String)XmNdecimalPoints, (String)XmCDecimalPoints, (String)XmRShort, sizeof(short),
     OFFSET(decimal_points), (String)XmRImmediate, (XtPointer)0},
    {(String)XmNincrement, (String)XmCIncrement, (String)XmRInt, sizeof(int), OFFSET(increment),
     (String)XmRImmediate, (XtPointer)1},
    {(String)XmNvalueChangedCallback, (String)XmCCallback, (String)XmRCallback,
     sizeof(XtCallbackList), OFFSET(value_changed_callback), (String)XmRImmediate,
     (XtPointer) nullptr},
    {(String)XmNactivateCallback, (String)XmCCallback, (String)XmRCallback,
     sizeof(XtCallbackList), OFFSET(activate_callback), (String)XmRImmediate,
     (XtPointer) nullptr},
};

#undef OFFSET

}  // namespace

XwCounterClassRec xwCounterClassRec = {
    {
        // core_class
        (WidgetClass)&xmManagerClassRec,  // superclass
        (String) "XwCounter",             // class_name
        sizeof(XwCounterRec),             // widget_size
        ClassInitialize,                  // class_initialize
        nullptr,                          // class_part_initialize
        False,                            // class_inited
        Initialize,                       // initialize
        nullptr,                          // initialize_hook
        XtInheritRealize,                 // realize
        nullptr,                          // actions
        0,                                // num_actions
        resources,                        // resources
        XtNumber(resources),              // num_resources
        NULLQUARK,                        // xrm_class
        True,                             // compress_motion
        XtExposeCompressMaximal,          // compress_exposure
        True,                             // compress_enterleave
        False,                            // visible_interest
        Destroy,                          // destroy
        Resize,                           // resize
        XtInheritExpose,                  // expose
        SetValues,                        // set_values
        nullptr,                          // set_values_hook
        XtInheritSetValuesAlmost,         // set_values_almost
        GetValuesHook,                    // get_values_hook
        nullptr,                          // accept_focus
        XtVersion,                        // version
        nullptr,                          // callback_private
        XtInheritTranslations,            // tm_table
        QueryGeometry,                    // query_geometry
        nullptr,                          // display_accelerator
        nullptr,                          // extension
    },
    {
        // composite_class
        GeometryManager,          // geometry_manager
        XtInheritChangeManaged,   // change_managed
        InsertChild,              // insert_child
        XtInheritDeleteChild,     // delete_child
        nullptr,                  // extension
    },
    {
        // constraint_class
        nullptr,                         // resources
        0,                               // num_resources
        sizeof(XmManagerConstraintRec),  // constraint_size
        nullptr,                         // initialize
        nullptr,                         // destroy
        nullptr,                         // set_values
        nullptr,                         // extension
    },
    {
        // manager_class
        XtInheritTranslations,   // translations
        nullptr,                 // syn_resources
        0,                       // num_syn_resources
        nullptr,                 // syn_constraint_resources
        0,                       // num_syn_constraint_resources
        XmInheritParentProcess,  // parent_process
        nullptr,                 // extension
    },
    {
        // counter_class
        nullptr,  // extension
    },
};

WidgetClass xwCounterWidgetClass = (WidgetClass)&xwCounterClassRec;

namespace {

XwCounterPart& part(Widget w) { return reinterpret_cast<XwCounterWidget>(w)->counter; }

void DefaultTextBackground(Widget w, int, XrmValue* value) {
  static Pixel background;
  background = w->core.background_pixel;
  value->addr = reinterpret_cast<XPointer>(&background);
  value->size = sizeof background;
}

// The String-to-Float converter: reads a decimal floating number.
Boolean CvtStringToFloat(Display* display, XrmValue*, Cardinal* numArgs, XrmValue* from,
                         XrmValue* to, XtPointer*) {
  if (*numArgs != 0)
    XtAppWarningMsg(XtDisplayToApplicationContext(display), "wrongParameters", "cvtStringToFloat",
                    "XtToolkitError", "conversion needs no arguments", nullptr, nullptr);
  static float result;
  float number = 0;
  if (from->addr) number = static_cast<float>(std::strtod(static_cast<char*>(from->addr), nullptr));
  if (to->addr) {
    if (to->size < sizeof(float)) {  // too small: say how much is needed
      to->size = sizeof(float);
      return False;
    }
    *reinterpret_cast<float*>(to->addr) = number;
  } else {
    result = number;
    to->addr = reinterpret_cast<XPointer>(&result);
  }
  to->size = sizeof(float);
  return True;
}

void ClassInitialize() {
  XtSetTypeConverter(XmRString, XmRFloat, CvtStringToFloat, nullptr, 0, XtCacheNone, nullptr);
  counterParseTranslations();
}

// Value words as the format holds them; hexadecimal spans all 32-bit ints.
void normaliseWords(XwCounterPart& c) {
  c.minimum = counterNormaliseWord(c.format, c.minimum);
  c.maximum = counterNormaliseWord(c.format, c.maximum);
  c.value = counterNormaliseWord(c.format, c.value);
  c.increment = counterNormaliseWord(c.format, c.increment);
  if (c.format == XwCOUNTER_HEX) {
    c.minimum = INT_MIN;
    c.maximum = INT_MAX;
  }
}

bool validLength(int n) { return n > 0 && n < 33; }

// The width of one arrow for a text field of the given height.
Dimension arrowWidthFor(Dimension textHeight) {
  Dimension width = static_cast<Dimension>(textHeight * 3 / 5);
  return width < 8 ? 8 : width;
}

// Stacks the arrows at the right edge and gives the text field the rest.
void layoutChildren(Widget w) {
  XwCounterPart& c = part(w);
  Dimension textHeight = c.text->core.height + 2 * c.text->core.border_width;
  c.arrow_width = arrowWidthFor(textHeight);
  Dimension upHeight = static_cast<Dimension>(textHeight / 2);
  Dimension downHeight = static_cast<Dimension>(textHeight - upHeight);
  c.arrow_height = textHeight;
  Dimension width = w->core.width < c.arrow_width ? c.arrow_width : w->core.width;
  Position x = static_cast<Position>(width - c.arrow_width);
  XmeConfigureObject(c.up_arrow, x, 0, c.arrow_width, upHeight ? upHeight : 1, 0);
  XmeConfigureObject(c.down_arrow, x, static_cast<Position>(upHeight), c.arrow_width,
                     downHeight ? downHeight : 1, 0);
  Dimension textWidth = static_cast<Dimension>(x - 2 * c.text->core.border_width);
  XmeConfigureObject(c.text, 0, 0, textWidth ? textWidth : 1, c.text->core.height,
                     c.text->core.border_width);
}

Widget createArrow(Widget w, const char* name, unsigned char direction) {
  Arg args[7];
  Cardinal n = 0;
  XtSetArg(args[n], XmNarrowDirection, direction), ++n;
  XtSetArg(args[n], XmNforeground, reinterpret_cast<XmManagerWidget>(w)->manager.foreground), ++n;
  XtSetArg(args[n], XmNbackground, w->core.background_pixel), ++n;
  XtSetArg(args[n], XmNshadowThickness, 0), ++n;
  XtSetArg(args[n], XmNhighlightThickness, 0), ++n;
  XtSetArg(args[n], XmNtraversalOn, False), ++n;
  return XtCreateManagedWidget(name, xmArrowButtonWidgetClass, w, args, n);
}

Widget createText(Widget w) {
  XwCounterPart& c = part(w);
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNcolumns, c.columns), ++n;
  XtSetArg(args[n], XmNmaxLength, c.max_length), ++n;
  XtSetArg(args[n], XmNmarginHeight, c.margin_height), ++n;
  XtSetArg(args[n], XmNmarginWidth, c.margin_width), ++n;
  XtSetArg(args[n], XmNeditable, c.editable), ++n;
  XtSetArg(args[n], XmNverifyBell, c.verify_bell), ++n;
  XtSetArg(args[n], XmNcursorPositionVisible, c.editable), ++n;
  XtSetArg(args[n], XmNresizeWidth, False), ++n;
  XtSetArg(args[n], XmNtraversalOn, True), ++n;
  XtSetArg(args[n], XmNnavigationType, XmNONE), ++n;
  XtSetArg(args[n], XmNforeground, reinterpret_cast<XmManagerWidget>(w)->manager.foreground), ++n;
  XtSetArg(args[n], XmNbackground, c.text_background), ++n;
  if (c.font_list) XtSetArg(args[n], XmNfontList, c.font_list), ++n;
  Widget text = XtCreateManagedWidget("text", xmTextFieldWidgetClass, w, args, n);
  counterAddTranslations(text, c.editable);
  if (!c.font_list) XtVaGetValues(text, XmNfontList, &c.font_list, nullptr);
  return text;
}

void Initialize(Widget, Widget w, ArgList, Cardinal*) {
  XwCounterPart& c = part(w);
  reinterpret_cast<XmManagerWidget>(w)->manager.navigation_type = XmEXCLUSIVE_TAB_GROUP;
  normaliseWords(c);
  if (!validLength(c.columns)) {
    XmeWarning(w, const_cast<char*>("Columns must be > 0 and < 33"));
    c.columns = 10;
  }
  if (!validLength(c.max_length)) {
    XmeWarning(w, const_cast<char*>("Max Length must be > 0 and < 33"));
    c.max_length = 10;
  }
  c.timer = 0;
  c.direction = 0;
  c.last_y = 0;
  counterRegisterActions(w);

  c.reporting = False;
  c.creating_children = True;
  c.text = createText(w);
  c.up_arrow = createArrow(w, "up", XmARROW_UP);
  c.down_arrow = createArrow(w, "down", XmARROW_DOWN);
  c.creating_children = False;

  Dimension textHeight = c.text->core.height + 2 * c.text->core.border_width;
  Dimension preferred = c.text->core.width + 2 * c.text->core.border_width + arrowWidthFor(textHeight);
  if (w->core.width < preferred) w->core.width = preferred;
  w->core.height = textHeight;
  layoutChildren(w);

  // A start value outside the limits would leave the field empty: show the
  // nearest limit instead.
  CounterWords words = counterWords(w);
  double start = counterWordToNumber(c.format, c.value);
  if (!counterWithinLimits(words, start)) counterStep(words, start, 0, true, &start);
  XwCounterSetValue(w, start);
  counterAddHandlers(w);
}

void Destroy(Widget w) {
  XwCounterPart& c = part(w);
  if (c.timer) XtRemoveTimeOut(c.timer);
  c.timer = 0;
  XtRemoveAllCallbacks(w, XmNvalueChangedCallback);
  XtRemoveAllCallbacks(w, XmNactivateCallback);
}

void Resize(Widget w) { layoutChildren(w); }

XtGeometryResult QueryGeometry(Widget w, XtWidgetGeometry* intended, XtWidgetGeometry* preferred) {
  XwCounterPart& c = part(w);
  Dimension textHeight = c.text->core.height + 2 * c.text->core.border_width;
  preferred->request_mode = CWWidth | CWHeight;
  preferred->width = c.text->core.width + 2 * c.text->core.border_width + c.arrow_width;
  preferred->height = textHeight;
  if ((intended->request_mode & (CWWidth | CWHeight)) == (CWWidth | CWHeight) &&
      intended->width == preferred->width && intended->height == preferred->height)
    return XtGeometryYes;
  if (preferred->width == w->core.width && preferred->height == w->core.height)
    return XtGeometryNo;
  return XtGeometryAlmost;
}

XtGeometryResult GeometryManager(Widget child, XtWidgetGeometry* request, XtWidgetGeometry*) {
  XwCounterPart& c = part(XtParent(child));
  if (child == c.up_arrow || child == c.down_arrow) {
    if (request->request_mode & (CWX | CWHeight)) return XtGeometryYes;
  } else if (child == c.text) {
    if (request->request_mode & (CWWidth | CWHeight)) return XtGeometryYes;
  }
  return XtGeometryNo;
}

void InsertChild(Widget child) {
  Widget w = XtParent(child);
  if (!part(w).creating_children) {
    XtAppWarningMsg(XtWidgetToApplicationContext(w), "insertChild", "badChild", "XwCounter",
                    "XwCounter: Cannot add children.", nullptr, nullptr);
    return;
  }
  reinterpret_cast<CompositeWidgetClass>(xmManagerWidgetClass)->composite_class.insert_child(child);
}

// A changed columns or maxLength out of range warns and keeps the old one.
void checkLength(Widget w, int oldValue, int* value, const char* message) {
  if (*value != oldValue && !validLength(*value)) {
    XmeWarning(w, const_cast<char*>(message));
    *value = oldValue;
  }
}

Boolean SetValues(Widget old, Widget, Widget w, ArgList, Cardinal*) {
  XwCounterPart& was = part(old);
  XwCounterPart& c = part(w);
  int columns = c.columns;
  checkLength(w, was.columns, &columns, "Columns must be > 0 and < 33");
  c.columns = static_cast<short>(columns);
  checkLength(w, was.max_length, &c.max_length, "Max Length must be > 0 and < 33");

  Pixel foreground = reinterpret_cast<XmManagerWidget>(w)->manager.foreground;
  Arg args[12];
  Cardinal n = 0;
  XtSetArg(args[n], XmNcolumns, c.columns), ++n;
  XtSetArg(args[n], XmNmaxLength, c.max_length), ++n;
  XtSetArg(args[n], XmNmarginHeight, c.margin_height), ++n;
  XtSetArg(args[n], XmNmarginWidth, c.margin_width), ++n;
  XtSetArg(args[n], XmNeditable, c.editable), ++n;
  XtSetArg(args[n], XmNcursorPositionVisible, c.editable), ++n;
  XtSetArg(args[n], XmNverifyBell, c.verify_bell), ++n;
  XtSetArg(args[n], XmNforeground, foreground), ++n;
  XtSetArg(args[n], XmNbackground, c.text_background), ++n;
  if (c.font_list != was.font_list) XtSetArg(args[n], XmNfontList, c.font_list), ++n;
  XtSetValues(c.text, args, n);
  if (c.editable != was.editable) counterAddTranslations(c.text, c.editable);
  for (Widget arrow : {c.up_arrow, c.down_arrow})
    XtVaSetValues(arrow, XmNforeground, foreground, XmNbackground, w->core.background_pixel,
                  nullptr);

  if (c.format != was.format || c.value != was.value || c.minimum != was.minimum ||
      c.maximum != was.maximum || c.increment != was.increment) {
    normaliseWords(c);
    // A value the limits refuse leaves the shown one in place.
    if (!XwCounterSetValue(w, counterWordToNumber(c.format, c.value)))
      c.value = counterNormaliseWord(c.format, was.value);
  }
  layoutChildren(w);
  return False;
}

// A read of the value resource answers the number the counter shows: the
// text is put back to the kept number first, and the word read again.
void GetValuesHook(Widget w, ArgList args, Cardinal* count) {
  for (Cardinal i = 0; i < *count; ++i) {
    if (std::strcmp(args[i].name, XmNvalue) != 0 || !args[i].value) continue;
    counterCommitText(w);
    *reinterpret_cast<int*>(args[i].value) = part(w).value;
  }
}

}  // namespace

Widget XwCreateCounter(Widget parent, const char* name, ArgList args, Cardinal count) {
  return XtCreateWidget(name, xwCounterWidgetClass, parent, args, count);
}

Widget XwCounterGetChild(Widget w, int which) {
  if (!w || !XtIsSubclass(w, xwCounterWidgetClass)) return nullptr;
  switch (which) {
    case XwCOUNTER_TEXT: return part(w).text;
    case XwCOUNTER_UP_ARROW: return part(w).up_arrow;
    case XwCOUNTER_DOWN_ARROW: return part(w).down_arrow;
    default: return nullptr;
  }
}
