// Placeholder until the platform layers land.
namespace platform { int PlatformLibraryAnchor() { return 0; } }
