package com.example.app;

import com.velmora.jvelweb.JVelWeb;

public final class Main {
    public static void main(String[] args) {
        JVelWeb web = new JVelWeb();
        System.out.println("initialize " + web._jni_initialize(0));
        System.out.println("version " + web.GetPluginVersion());
        System.out.println("delete " + web._jni_delete());
    }
}
