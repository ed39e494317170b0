// An application module that requires JVelWeb by its module name, whatever
// the jar's file is called.
module com.example.app {
    requires com.velmora.jvelweb;
}
