import java.io.IOException;
import java.io.InputStream;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.concurrent.CompletableFuture;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import java.util.stream.Stream;
import javax.tools.ToolProvider;

/**
 * Compiles and runs Java programs the way a user of the jar would: the jar
 * alone copied into a fresh folder outside the build, {@code -cp <jar>:.} and
 * nothing else, an environment with only PATH and a new HOME.
 *
 * <p>Usage: {@code java RunJavaPrograms.java <file.md | Program.java>... <jar>}.
 * From each Markdown file it takes every {@code ```java} block. A block without a
 * class declaration is the body of a {@code main} (its imports lifted out). A
 * {@code ```text} block right after a program (blank lines and one line ending
 * in ':' may sit between) is what it must print. After {@code --javadoc},
 * each Java source's {@code <pre>{@code ...}</pre>} examples are taken
 * instead: the package and its constants are imported, and an example that
 * uses {@code web} without declaring it runs with a {@code JVelWeb web} whose
 * plug-in is held. Every program must compile and exit with status 0.
 */
public final class RunJavaPrograms {
    record Program(String file, String name, int line, String code, String expectedOutput) {}

    public static void main(String[] args) throws Exception {
        if (args.length < 2) {
            throw new IllegalArgumentException("usage: RunJavaPrograms [--javadoc] <file.md | Program.java>... <jar>");
        }
        Path jar = Paths.get(args[args.length - 1]);
        List<Program> programs = new ArrayList<>();
        boolean javadoc = false;
        for (int i = 0; i < args.length - 1; i++) {
            if (args[i].equals("--javadoc")) {
                javadoc = true;
                continue;
            }
            Path source = Paths.get(args[i]);
            String text = Files.readString(source);
            String file = source.getFileName().toString();
            if (file.endsWith(".md")) {
                programs.addAll(fromMarkdown(file, text));
            } else if (javadoc) {
                programs.addAll(fromJavadoc(file, text));
            } else {
                programs.add(new Program(file, file, 1, text, null));
            }
        }
        if (programs.isEmpty()) throw new AssertionError(String.join(" ", args) + ": no ```java block");

        Path work = Files.createTempDirectory("jvelweb-programs-");
        int failed = 0;
        try {
            Files.copy(jar, work.resolve(jar.getFileName()));
            Path home = Files.createDirectory(work.resolve("home"));
            for (int i = 0; i < programs.size(); i++) {
                Program program = programs.get(i);
                String where = program.file() + " line " + program.line();
                String failure = run(program, Files.createDirectory(work.resolve("program" + i)),
                        jar.getFileName().toString(), home);
                if (failure == null) {
                    System.out.println("ok: " + where);
                } else {
                    System.out.println("FAILED: " + where + ": " + failure);
                    failed++;
                }
            }
        } finally {
            try (Stream<Path> paths = Files.walk(work)) {
                paths.sorted(Comparator.reverseOrder()).forEach(path -> path.toFile().delete());
            }
        }
        System.out.println(programs.size() + " program(s), " + failed + " failed");
        System.exit(failed == 0 ? 0 : 1);
    }

    static List<Program> fromMarkdown(String file, String text) {
        List<Program> programs = new ArrayList<>();
        String[] lines = text.split("\n", -1);
        for (int i = 0; i < lines.length; i++) {
            if (!lines[i].strip().equals("```java")) continue;
            int start = i + 1;
            StringBuilder code = new StringBuilder();
            for (i = start; i < lines.length && !lines[i].strip().equals("```"); i++) code.append(lines[i]).append('\n');
            String expected = null;
            int next = i + 1;
            while (next < lines.length && lines[next].isBlank()) next++;
            if (next < lines.length && lines[next].strip().endsWith(":") && !lines[next].startsWith("```")) next++;
            while (next < lines.length && lines[next].isBlank()) next++;
            if (next < lines.length && lines[next].strip().equals("```text")) {
                StringBuilder output = new StringBuilder();
                for (next++; next < lines.length && !lines[next].strip().equals("```"); next++) {
                    output.append(lines[next]).append('\n');
                }
                expected = output.toString();
            }
            programs.add(new Program(file, "Snippet", start, code.toString(), expected));
        }
        return programs;
    }

    private static final Pattern JAVADOC_EXAMPLE = Pattern.compile("<pre>\\{@code\\s*\n(.*?)\\}</pre>", Pattern.DOTALL);
    private static final Pattern WEB_DECLARED = Pattern.compile("\\bweb\\s*=");

    static List<Program> fromJavadoc(String file, String text) {
        List<Program> programs = new ArrayList<>();
        Matcher example = JAVADOC_EXAMPLE.matcher(text);
        while (example.find()) {
            int line = 1 + (int) text.substring(0, example.start()).chars().filter(c -> c == '\n').count();
            StringBuilder code = new StringBuilder("import com.velmora.jvelweb.*;\nimport com.velmora.jvelweb.JVelWebConstants.*;\n");
            // Javadoc lines start with " * "; the closing brace of {@code sits on the last one.
            String body = example.group(1).replaceAll("(?m)^\\s*\\* ?", "");
            boolean session = body.matches("(?s).*\\bweb\\..*") && !WEB_DECLARED.matcher(body).find();
            if (session) {
                code.append("JVelWeb web = new JVelWeb();\n")
                        .append("if (web._jni_initialize(0) != 0) throw new IllegalStateException(\"no plug-in\");\n");
            }
            code.append(body.stripTrailing()).append('\n');
            if (session) code.append("web._jni_delete();\n");
            programs.add(new Program(file, "Example", line, code.toString(), null));
        }
        return programs;
    }

    /** Returns null when the program compiled, exited with 0 and printed what it should; else why not. */
    static String run(Program program, Path folder, String jar, Path home) throws Exception {
        String code = program.code();
        String className;
        Matcher declared = Pattern.compile("(?m)^\\s*(?:public\\s+)?(?:final\\s+)?class\\s+(\\w+)").matcher(code);
        if (declared.find()) {
            className = declared.group(1);
        } else {
            StringBuilder imports = new StringBuilder();
            StringBuilder body = new StringBuilder();
            for (String line : code.split("\n")) {
                (line.startsWith("import ") ? imports : body).append(line).append('\n');
            }
            className = program.name();
            code = imports + "public class " + className + " {\n    public static void main(String[] args) throws Exception {\n"
                    + body + "    }\n}\n";
        }
        Path file = folder.resolve(className + ".java");
        Files.writeString(file, code);
        Files.copy(folder.getParent().resolve(jar), folder.resolve(jar));
        if (ToolProvider.getSystemJavaCompiler().run(null, null, null, "-cp", folder.resolve(jar).toString(), "-d", folder.toString(),
                file.toString()) != 0) {
            return "does not compile:\n" + code;
        }
        ProcessBuilder builder = new ProcessBuilder(Paths.get(System.getProperty("java.home"), "bin", "java").toString(),
                "-cp", jar + java.io.File.pathSeparator + ".", className).directory(folder.toFile());
        builder.environment().clear();
        builder.environment().put("PATH", "/usr/bin:/bin");
        builder.environment().put("HOME", home.toString());
        Process process = builder.start();
        CompletableFuture<String> out = CompletableFuture.supplyAsync(() -> read(process.getInputStream()));
        String err = read(process.getErrorStream());
        int exit = process.waitFor();
        String stdout = out.get();
        System.out.print(stdout);
        System.err.print(err);
        if (exit != 0) return "exit status " + exit;
        if (program.expectedOutput() != null && !program.expectedOutput().equals(stdout)) {
            return "printed\n" + stdout + "instead of\n" + program.expectedOutput();
        }
        return null;
    }

    static String read(InputStream stream) {
        try (InputStream in = stream) {
            return new String(in.readAllBytes(), StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }
}
