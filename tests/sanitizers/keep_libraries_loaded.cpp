// Linked into the program in the sanitizer build only.
//
// A library that is unloaded before the leak report leaves its allocations
// without a name ("<unknown module>"), so no suppression can tell its leaks
// from the program's own; Mesa's drivers, which Qt's Wayland platform loads
// through EGL, are unloaded that way. Keeping every library loaded until the
// process ends gives each leak the name of the library it comes from.
extern "C" int dlclose(void* /*handle*/)
{
    return 0;
}
