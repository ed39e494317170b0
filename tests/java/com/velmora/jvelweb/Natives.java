package com.velmora.jvelweb;

import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.stream.Collectors;
import java.util.stream.Stream;

/** Calling JVelWeb's natives by name and knowing their failure values, for the reflective suites. */
final class Natives {
    private Natives() {}

    /** Every native but _jni_initialize and _jni_delete, in name order. */
    static List<Method> all() {
        List<Method> found = new ArrayList<>();
        for (Method method : JVelWeb.class.getDeclaredMethods()) {
            if (Modifier.isNative(method.getModifiers()) && !method.getName().startsWith("_jni_")) {
                found.add(method);
            }
        }
        found.sort(Comparator.comparing(Method::getName));
        return found;
    }

    static Method find(String name) {
        for (Method method : all()) {
            if (method.getName().equals(name)) {
                return method;
            }
        }
        throw new IllegalArgumentException("JVelWeb has no native " + name);
    }

    static Object call(JVelWeb web, String name, Object... arguments) {
        return invoke(web, find(name), arguments);
    }

    static Object invoke(JVelWeb web, Method method, Object... arguments) {
        try {
            return method.invoke(web, arguments);
        } catch (IllegalAccessException e) {
            throw new AssertionError(e);
        } catch (InvocationTargetException e) {
            throw new AssertionError(describe(method, arguments) + " threw " + e.getCause(), e.getCause());
        }
    }

    /** false, -99 or "" by result type. */
    static Object failureValue(Method method) {
        Class<?> type = method.getReturnType();
        if (type == boolean.class) {
            return Boolean.FALSE;
        }
        if (type == int.class) {
            return -99;
        }
        if (type == String.class) {
            return "";
        }
        throw new AssertionError("unexpected result type of " + method);
    }

    /** A call as text for failure messages; long Strings are shortened. */
    static String describe(Method method, Object... arguments) {
        return method.getName() + "(" + Stream.of(arguments).map(Natives::show).collect(Collectors.joining(", "))
                + ")";
    }

    static String show(Object value) {
        if (!(value instanceof String)) {
            return String.valueOf(value);
        }
        String text = (String) value;
        StringBuilder shown = new StringBuilder("\"");
        text.codePoints().limit(24).forEach(c -> shown.append(c < 0x20 || c > 0x7e ? String.format("\\u{%x}", c)
                : String.valueOf((char) c)));
        if (text.codePointCount(0, text.length()) > 24) {
            shown.append("...(").append(text.length()).append(" chars)");
        }
        return shown.append('"').toString();
    }
}
