package com.velmora.jvelweb.bench;

import com.sun.jna.Function;
import com.sun.jna.Memory;
import com.sun.jna.Native;
import com.sun.jna.NativeLibrary;
import com.sun.jna.Pointer;
import java.nio.charset.StandardCharsets;

/**
 * The plug-in called from Java through JNA, as a user without a JNI bridge
 * would: each operation is the function pointer read from its slot in the
 * plug-in's vtable and called with {@link Function#invokeInt}; names become
 * BSTRs through the COM layer's SysAllocString and are freed with its
 * SysFreeString; a String result is read from the BSTR (its 32-bit byte
 * length sits just before the text) and freed.
 *
 * <p>The output cell is allocated once and reused, which is the cheapest a
 * JNA caller can make it; an instance is for one thread.
 */
final class JnaPlugin {
    private static final int START_EFFECT = 8;
    private static final int STOP_EFFECTS = 11;
    private static final int GET_NUMBER_OF_EFFECTS = 55;
    private static final int GET_CENTER_X = 80;
    private static final int GET_EFFECT_TYPE_NAME = 93;
    private static final int EFFECT_SUPPORTS_GET = 140;
    private static final int GET_PLUGIN_VERSION = 148;

    private final Pointer self;
    private final Function startEffect;
    private final Function stopEffects;
    private final Function getNumberOfEffects;
    private final Function getCenterX;
    private final Function getEffectTypeName;
    private final Function effectSupportsGet;
    private final Function getPluginVersion;
    private final Function sysAllocString;
    private final Function sysFreeString;
    private final Memory out = new Memory(8);

    /**
     * @param plugin the plug-in's {@code IWebPlugin2*}
     * @param comLibrary the absolute path of the libjvelcom the JVM already loaded
     */
    JnaPlugin(long plugin, String comLibrary) {
        self = new Pointer(plugin);
        Pointer vtable = self.getPointer(0);
        startEffect = slot(vtable, START_EFFECT);
        stopEffects = slot(vtable, STOP_EFFECTS);
        getNumberOfEffects = slot(vtable, GET_NUMBER_OF_EFFECTS);
        getCenterX = slot(vtable, GET_CENTER_X);
        getEffectTypeName = slot(vtable, GET_EFFECT_TYPE_NAME);
        effectSupportsGet = slot(vtable, EFFECT_SUPPORTS_GET);
        getPluginVersion = slot(vtable, GET_PLUGIN_VERSION);
        NativeLibrary com = NativeLibrary.getInstance(comLibrary);
        sysAllocString = com.getFunction("SysAllocString");
        sysFreeString = com.getFunction("SysFreeString");
    }

    private static Function slot(Pointer vtable, int slot) {
        return Function.getFunction(vtable.getPointer((long) slot * Native.POINTER_SIZE));
    }

    /** A new BSTR of the String's UTF-16 units. */
    private Pointer bstr(String text) {
        short[] units = new short[text.length() + 1];
        for (int i = 0; i < text.length(); i++) {
            units[i] = (short) text.charAt(i);
        }
        return (Pointer) sysAllocString.invoke(Pointer.class, new Object[] {units});
    }

    private void free(Pointer bstr) {
        sysFreeString.invokeVoid(new Object[] {bstr});
    }

    /** The BSTR's text, then frees it; "" for a null BSTR. */
    private String takeText(Pointer bstr) {
        if (bstr == null) {
            return "";
        }
        int bytes = bstr.getInt(-4);
        String text = new String(bstr.getByteArray(0, bytes), StandardCharsets.UTF_16LE);
        free(bstr);
        return text;
    }

    boolean StopEffects() {
        int hr = stopEffects.invokeInt(new Object[] {self, out});
        return hr >= 0 && out.getShort(0) != 0;
    }

    int GetNumberOfEffects(int value) {
        int hr = getNumberOfEffects.invokeInt(new Object[] {self, value, out});
        return hr >= 0 ? out.getInt(0) : -99;
    }

    boolean StartEffect(String effectName, int value) {
        Pointer name = bstr(effectName);
        try {
            int hr = startEffect.invokeInt(new Object[] {self, name, value, out});
            return hr >= 0 && out.getShort(0) != 0;
        } finally {
            free(name);
        }
    }

    int GetCenterX(String effectName, int value) {
        Pointer name = bstr(effectName);
        try {
            int hr = getCenterX.invokeInt(new Object[] {self, name, value, out});
            return hr >= 0 ? out.getInt(0) : -99;
        } finally {
            free(name);
        }
    }

    boolean EffectSupportsGet(String effectName, int value, String parameterName) {
        Pointer name = bstr(effectName);
        Pointer parameter = bstr(parameterName);
        try {
            int hr = effectSupportsGet.invokeInt(new Object[] {self, name, value, parameter, out});
            return hr >= 0 && out.getShort(0) != 0;
        } finally {
            free(parameter);
            free(name);
        }
    }

    String GetPluginVersion() {
        out.setPointer(0, null);
        int hr = getPluginVersion.invokeInt(new Object[] {self, out});
        return hr >= 0 ? takeText(out.getPointer(0)) : "";
    }

    String GetEffectTypeName(String effectName, int value) {
        Pointer name = bstr(effectName);
        try {
            out.setPointer(0, null);
            int hr = getEffectTypeName.invokeInt(new Object[] {self, name, value, out});
            return hr >= 0 ? takeText(out.getPointer(0)) : "";
        } finally {
            free(name);
        }
    }
}
