// The search component library. Its class arrives with the search window.
extern "C" __attribute__((visibility("default"))) int TabvinVersion() { return 1; }
