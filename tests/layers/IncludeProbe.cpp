// A source that includes the one header KELVO_PROBED_HEADER names, built
// with nothing but the include roots of the layer its target links: the
// layer tests build it to show that a header above that layer is out of reach.
#include KELVO_PROBED_HEADER
