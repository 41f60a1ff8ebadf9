// The tests' QGuiApplication lives as long as the process (other tests find it there), so what
// Qt's font database holds of fontconfig is never given back; the leak checker of the sanitizer
// build is told so. Without the sanitizer nothing calls this.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
