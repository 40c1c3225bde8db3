// Anchors the bundle library; the rules live in the subsystem libraries.
namespace mv { int coreAnchor() { return 0; } }
