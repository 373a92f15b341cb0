#pragma once
// Registers the compiled-in pictures with Qt's resource system. Static libraries drop the
// automatic registration, so the loader calls this once before its first look-up.

void InitImageResources();
