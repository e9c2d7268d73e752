#pragma once
// Product identity and version, shared by the code and the Windows version record
// (this header is read by the resource compiler too, so it holds only #defines).

#define ORVANE_PRODUCT_NAME "Orvane"
#define ORVANE_GAME_NAME "mirab"
// The Linux client's application id: its name on the session bus, its windows' class and
// the name of its desktop entry and AppStream component, which must all agree.
#define ORVANE_APPLICATION_ID "com.orvane.Client"
#define ORVANE_VERSION_MAJOR 1
#define ORVANE_VERSION_MINOR 1
#define ORVANE_VERSION_PATCH 0
#define ORVANE_VERSION_BUILD 0
#define ORVANE_VERSION_TEXT "1.1.0"
#define ORVANE_FILE_VERSION_TEXT "1.1.0.0"
