package com.velmora.jvelweb;

/**
 * Runs in a child JVM with a chosen class path and properties: loads the
 * library through JVelWeb's static initialiser, acquires the plug-in and
 * prints what it answers, or prints the loader's error and exits with 3.
 */
public final class LoaderProbe {
    private LoaderProbe() {}

    public static void main(String[] args) {
        JVelWeb web;
        try {
            web = new JVelWeb();
        } catch (UnsatisfiedLinkError e) {
            System.out.println("UnsatisfiedLinkError: " + e.getMessage());
            System.exit(3);
            return;
        }
        System.out.println("initialize " + web._jni_initialize(0));
        System.out.println("version " + web.GetPluginVersion());
        System.out.println("delete " + web._jni_delete());
    }
}
