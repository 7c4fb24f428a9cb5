// The code of a module that exists only to carry its version resource.
extern "C" int VersionNoTranslationMarker() { return 0; }
