// The wizard's pages as the main window meets them: their builders in the
// page slots and their page hooks. jarn_gui is a static library, so a page
// that registered itself from a static object would be dropped by the
// linker; this one function names them all instead.
#pragma once

// Registers the page builders and the page hooks, and plugs the queue page's
// name setter into the back end. createMainWindow calls it before it builds
// the pages; calling it again changes nothing.
void installWizardPages();
