#pragma once

#include <QString>

// Fixes everything a test could otherwise pick up from the machine: locale,
// time zone, the settings and data folders (a private temporary folder), and
// the offscreen platform. Called by the shared test mains before the Qt
// application object exists.
void SetUpTestEnvironment();

// The private temporary root that settings and data folders point into.
QString TestRootDir();

// Folder holding the checked-in test fixtures (tests/data).
QString TestDataDir();
