// A loadable module that is not a COM server: it exports no DllGetClassObject
// and no DllRegisterServer.
extern "C" __attribute__((visibility("default"))) int notAComServer() { return 0; }
