// The advanced page's, the extra pane's and the About dialog's places in the
// main window's page hooks.
#pragma once

// Registers the advanced page's builder and fills its hooks.
void installAdvancedPage();
