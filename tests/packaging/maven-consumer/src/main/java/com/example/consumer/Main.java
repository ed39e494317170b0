package com.example.consumer;

import com.velmora.jvelweb.JVelWeb;

public final class Main {
    public static void main(String[] args) {
        JVelWeb web = new JVelWeb();
        int acquired = web._jni_initialize(0);
        System.out.println("initialize " + acquired);
        System.out.println("device " + web.GetDeviceProductName());
        System.out.println("delete " + web._jni_delete());
        System.exit(acquired == 0 ? 0 : 1);
    }
}
