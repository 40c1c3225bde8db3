// The GroupWise interface and the local GroupWise system come here.
namespace mv { int groupwiseAnchor() { return 0; } }
