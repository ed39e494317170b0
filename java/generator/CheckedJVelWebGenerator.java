import java.io.IOException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.lang.reflect.Parameter;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.StringJoiner;

/**
 * Writes CheckedJVelWeb.java from the compiled JVelWeb class: one checked
 * method per plug-in native, with JVelWeb's names and parameter names (the
 * class must be compiled with -parameters) and JVelWeb's Javadoc of that
 * native, read from its source. Run at build time, so the facade cannot drift
 * from the class. JVelWeb is loaded without being initialised, so the native
 * library is not loaded.
 *
 * <p>Usage: {@code java -cp <classes> CheckedJVelWebGenerator <output file> <JVelWeb.java>}
 */
public final class CheckedJVelWebGenerator {
    private CheckedJVelWebGenerator() {}

    public static void main(String[] args) throws Exception {
        Class<?> web = Class.forName("com.velmora.jvelweb.JVelWeb", false,
                CheckedJVelWebGenerator.class.getClassLoader());
        List<Method> natives = new ArrayList<>();
        for (Method method : web.getDeclaredMethods()) {
            int modifiers = method.getModifiers();
            if (Modifier.isNative(modifiers) && Modifier.isPublic(modifiers) && !Modifier.isStatic(modifiers)
                    && !method.getName().startsWith("_jni_")) {
                natives.add(method);
            }
        }
        // Reflection gives no order; the output must not change between builds.
        natives.sort(Comparator.comparing(Method::getName).thenComparing(m -> signature(m)));
        NativeJavadoc javadoc = new NativeJavadoc(Files.readString(Path.of(args[1]), StandardCharsets.UTF_8));
        StringBuilder out = new StringBuilder();
        out.append(HEADER);
        for (Method method : natives) {
            out.append(checked(method, javadoc.of(signature(method))));
        }
        out.append("}\n");
        Path target = Path.of(args[0]);
        Files.createDirectories(target.getParent());
        write(target, out.toString());
    }

    private static void write(Path target, String text) throws IOException {
        // Unchanged text keeps its time stamp, so nothing downstream rebuilds.
        if (Files.exists(target) && Files.readString(target, StandardCharsets.UTF_8).equals(text)) {
            return;
        }
        Files.writeString(target, text, StandardCharsets.UTF_8);
    }

    private static String signature(Method method) {
        StringJoiner types = new StringJoiner(", ");
        for (Class<?> type : method.getParameterTypes()) {
            types.add(type.getSimpleName());
        }
        return method.getName() + "(" + types + ")";
    }

    private static String checked(Method method, NativeJavadoc.Comment comment) {
        String link = "{@link JVelWeb#" + signature(method) + "}";
        String result = method.getReturnType().getSimpleName();
        StringJoiner declared = new StringJoiner(", ");
        StringJoiner passed = new StringJoiner(", ");
        List<String> names = new ArrayList<>();
        for (Parameter parameter : method.getParameters()) {
            names.add(parameter.getName());
        }
        String before = unused("before", names);
        String answer = unused("result", names);
        // JVelWeb's own words first, so an IDE's hover shows what the operation does.
        StringBuilder doc = new StringBuilder("    /**\n");
        doc.append(NativeJavadoc.indent(comment.description() + "\n\n<p>Calls " + link
                + "; when the call fails, throws instead of returning the failure value."));
        doc.append("     *\n");
        for (Parameter parameter : method.getParameters()) {
            if (!parameter.isNamePresent()) {
                throw new IllegalStateException("JVelWeb was compiled without -parameters: " + method);
            }
            declared.add(parameter.getType().getSimpleName() + " " + parameter.getName());
            passed.add(parameter.getName());
            String meaning = comment.params().get(parameter.getName());
            if (meaning == null) throw new IllegalStateException("JVelWeb.java documents no @param " + parameter.getName()
                    + " of " + signature(method));
            doc.append("     * @param ").append(parameter.getName()).append(' ').append(meaning).append('\n');
        }
        String success = comment.result() == null ? "what " + link + " returned" : NativeJavadoc.successPart(comment.result());
        doc.append("     * @return ").append(success).append(", also when it equals the failure value\n");
        doc.append("     * @throws JVelWebException when the call failed; it carries the thread's failure record\n");
        if (comment.see() != null) doc.append("     * @see ").append(comment.see()).append('\n');
        doc.append("     */\n");
        return doc + "    public " + result + " " + method.getName() + "(" + declared + ") {\n"
                + "        long " + before + " = JVelWebFailure.count();\n"
                + "        " + result + " " + answer + " = this.web." + method.getName() + "(" + passed + ");\n"
                + "        check(" + before + ");\n"
                + "        return " + answer + ";\n"
                + "    }\n\n";
    }

    /** A local variable name that no parameter of the method has. */
    private static String unused(String name, List<String> parameters) {
        while (parameters.contains(name)) {
            name = name + "_";
        }
        return name;
    }

    private static final String HEADER = String.join("\n",
            "// Generated at build time from the compiled JVelWeb class by CheckedJVelWebGenerator. Do not edit.",
            "package com.velmora.jvelweb;",
            "",
            "/**",
            " * The plug-in's operations, throwing when a call fails.",
            " *",
            " * <p>Each method calls the {@link JVelWeb} method of the same name and",
            " * parameters and returns its answer. When the call failed (the count of",
            " * {@link JVelWebFailure#count()} moved) it throws a {@link JVelWebException}",
            " * carrying the {@link JVelWebFailure} instead, so a plug-in answering -99,",
            " * {@code false} or an empty String on success is not mistaken for a failure.",
            " * It adds nothing else.",
            " *",
            " * <p>Creating one acquires the plug-in and {@link #close()} releases it:",
            " * <pre>{@code",
            " * try (CheckedJVelWeb web = new CheckedJVelWeb()) {",
            " *     web.MakeEnclosure(\"box\");",
            " *     web.ChangeStiffness(\"box\", JVelWebConstants.Apply.NOW, 4000, 6000);",
            " *     int inside = web.GetStiffness(\"box\", 0);     // 4000",
            " *     web.MakeSpring(\"spring\", JVelWebConstants.Axis.BOTH);",
            " *     web.GetStiffness(\"spring\", 0);  // throws: a Spring has no stiffness",
            " * } catch (JVelWebException e) {",
            " *     System.out.println(e.failure().description());",
            " * }",
            " * }</pre>",
            " *",
            " * <p>Which class to use: this one where a failure is an error to be",
            " * handled in one place, and wherever a legal answer can equal a failure",
            " * value. {@link JVelWeb} where failures are expected and cheap to test for",
            " * (its methods never throw and are slightly faster), or where the plug-in",
            " * is acquired and released elsewhere.",
            " *",
            " * <p>There is one plug-in per process: while one is held, by this class or",
            " * by {@link JVelWeb#_jni_initialize(int)}, creating another fails with",
            " * {@link JVelWebFailure.Cause#ALREADY_HELD}. As with {@code JVelWeb}, any",
            " * thread may call the operations, but neither the constructor nor",
            " * {@link #close()} may run while other calls are running.",
            " */",
            "public final class CheckedJVelWeb implements AutoCloseable {",
            "    private final JVelWeb web = new JVelWeb();",
            "    private boolean closed;",
            "",
            "    /**",
            "     * Acquires the plug-in with device flag 0.",
            "     *",
            "     * @throws JVelWebException when the plug-in cannot be acquired",
            "     */",
            "    public CheckedJVelWeb() {",
            "        this(0);",
            "    }",
            "",
            "    /**",
            "     * Acquires the plug-in, handing it {@code deviceFlag} as its initial",
            "     * {@code DeviceFlag} property, as {@link JVelWeb#_jni_initialize(int)} does.",
            "     *",
            "     * @param deviceFlag the plug-in's initial device flag",
            "     * @throws JVelWebException when the plug-in cannot be acquired, also when one",
            "     *     is held already",
            "     */",
            "    public CheckedJVelWeb(int deviceFlag) {",
            "        long before = JVelWebFailure.count();",
            "        web._jni_initialize(deviceFlag);",
            "        check(before);",
            "    }",
            "",
            "    /**",
            "     * Releases the plug-in, as {@link JVelWeb#_jni_delete()} does. Closing",
            "     * again does nothing.",
            "     */",
            "    @Override",
            "    public void close() {",
            "        if (!closed) {",
            "            closed = true;",
            "            web._jni_delete();",
            "        }",
            "    }",
            "",
            "    private static void check(long before) {",
            "        if (JVelWebFailure.count() != before) {",
            "            throw new JVelWebException(JVelWebFailure.last());",
            "        }",
            "    }",
            "",
            "");
}
