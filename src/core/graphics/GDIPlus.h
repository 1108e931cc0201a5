#pragma once

#include <string>

namespace tarvik {

// Starts the 2D library once per process. With errors suppressed, a failing drawing call only
// records its status on its object; otherwise it raises an Error. Returns true on success.
bool GDIPlusCreate(bool suppressErrors);
void GDIPlusDispose();

// The process-wide error convention of the drawing objects.
bool GDIPlusErrorsSuppressed();
void SetGDIPlusErrorsSuppressed(bool suppressed);
// The executable's name; errors carry it + ".GDIP" as their source.
void SetGDIPlusErrorSourceName(std::string executableName);

// Records nothing and returns when status is 0 or errors are suppressed; otherwise raises
// Error(status + 1048, "GDI+ Error " + status, executable name + ".GDIP").
void CheckGDIPlusStatus(int status);

// The statuses of the 2D library that the program itself produces or looks at.
constexpr int kGdipStatusOk = 0;
constexpr int kGdipStatusGenericError = 1;
constexpr int kGdipStatusInvalidParameter = 2;
constexpr int kGdipStatusOutOfMemory = 3;
constexpr int kGdipStatusNotImplemented = 6;
constexpr int kGdipStatusWrongState = 8;
constexpr int kGdipStatusFileNotFound = 10;
constexpr int kGdipStatusUnknownImageFormat = 13;
constexpr int kGdipStatusFontFamilyNotFound = 14;

}  // namespace tarvik
