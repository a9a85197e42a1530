// The leak checker's own list for the sanitizer builds of vantor-sim and of the
// fuzz targets that draw text, so a person running them sees only real reports.

// fontconfig keeps its configuration and font caches for the life of the
// process (only FcFini releases them, and it asserts while cairo still holds
// patterns): they are not leaks of ours.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
