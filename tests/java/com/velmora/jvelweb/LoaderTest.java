package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.CompletableFuture;
import java.util.jar.Attributes;
import java.util.jar.JarEntry;
import java.util.jar.JarInputStream;
import java.util.jar.JarOutputStream;
import java.util.jar.Manifest;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The library search in child JVMs with a clean environment and a home of
 * their own: the order of the three places, extraction from the jar into a
 * private folder that is reused and repaired, refusals of folders that are not
 * ours, the one error that lists every step, and the version handshake.
 */
class LoaderTest {
    static {
        JVelWebLoader.load();  // this JVM's own library, for nativeVersion()
    }

    private static final String JAR = System.getProperty("jvelweb.jar");
    private static final String CLASSES_JAR = System.getProperty("jvelweb.classesJar");
    private static final String LIBRARY_DIRECTORY = System.getProperty("jvelweb.libraryDirectory");
    private static final String PROBE_JAR = System.getProperty("jvelweb.probeJar");
    private static final String PLATFORM = NativeBundle.platform();
    private static final List<String> BUNDLED = List.of("libjvelcom.so", "libjvelweb.so", "libvelwebsim.so",
            "jvelcom-classes/{18B46DCC-AD84-47A3-8974-433DC96BACB6}");

    record Run(int exit, String stdout, String stderr) {
        void assertAcquired() {
            assertEquals(0, exit, "exit; stdout " + stdout + " stderr " + stderr);
            assertEquals("initialize 0\nversion " + JVelWebLoader.nativeVersion() + "-sim\ndelete 0\n", stdout);
        }

        String error() {
            assertEquals(3, exit, "exit; stdout " + stdout + " stderr " + stderr);
            return stdout;
        }
    }

    static Run probe(Path home, String jar, String... options) throws Exception {
        List<String> command = new ArrayList<>(List.of(System.getProperty("java.home") + "/bin/java",
                "--enable-native-access=ALL-UNNAMED"));
        command.addAll(Arrays.asList(options));
        command.addAll(List.of("-cp", jar + ":" + PROBE_JAR, LoaderProbe.class.getName()));
        ProcessBuilder builder = new ProcessBuilder(command);
        builder.environment().clear();
        builder.environment().put("PATH", "/usr/bin:/bin");
        builder.environment().put("HOME", home.toString());
        Process process = builder.start();
        CompletableFuture<String> out = CompletableFuture.supplyAsync(() -> read(process.getInputStream()));
        String err = read(process.getErrorStream());
        return new Run(process.waitFor(), out.get(), err);
    }

    private static String read(InputStream stream) {
        try (InputStream in = stream) {
            return new String(in.readAllBytes(), StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new java.io.UncheckedIOException(e);
        }
    }

    static Path extracted(Path home) {
        return home.resolve(".cache/jvelweb/" + JVelWebLoader.jarVersion() + "/" + PLATFORM);
    }

    static String mode(Path path) throws IOException {
        return PosixFilePermissions.toString(Files.getPosixFilePermissions(path, LinkOption.NOFOLLOW_LINKS));
    }

    @Test
    void jarAloneExtractsPrivatelyOnceAndReusesWhatMatches(@TempDir Path home) throws Exception {
        Run first = probe(home, JAR, "-Djvelweb.debug=true");
        first.assertAcquired();
        for (String file : BUNDLED) assertTrue(first.stderr.contains("extracted " + file + "\n"), first.stderr);
        Path folder = extracted(home);
        for (Path path : new Path[] {home.resolve(".cache/jvelweb"), folder.getParent(), folder,
                folder.resolve("jvelcom-classes")}) {
            assertEquals("rwx------", mode(path), path.toString());
        }
        assertEquals("rwx------", mode(folder.resolve("libjvelweb.so")));
        assertEquals("rw-------", mode(folder.resolve(BUNDLED.get(3))));
        try (Stream<Path> files = Files.list(folder)) {
            assertEquals(4, files.count(), "no temporary files left behind");
        }

        Run second = probe(home, JAR, "-Djvelweb.debug=true");
        second.assertAcquired();
        for (String file : BUNDLED) assertTrue(second.stderr.contains("reused " + file + " (checksum"), second.stderr);
        assertFalse(second.stderr.contains("extracted"), second.stderr);

        Run quiet = probe(home, JAR);
        quiet.assertAcquired();
        assertEquals("", quiet.stderr, "nothing on stderr without jvelweb.debug");
    }

    @Test
    void changedFilesAndLooseModesAreRepaired(@TempDir Path home) throws Exception {
        probe(home, JAR).assertAcquired();
        Path folder = extracted(home);
        Path registration = folder.resolve(BUNDLED.get(3));
        byte[] original = Files.readAllBytes(registration);
        Files.writeString(registration, "/elsewhere/libevil.so\n");
        Files.setPosixFilePermissions(folder.resolve("libjvelweb.so"), PosixFilePermissions.fromString("rwxrwxrwx"));
        Files.setPosixFilePermissions(folder.getParent(), PosixFilePermissions.fromString("rwxrwxrwx"));

        Run run = probe(home, JAR, "-Djvelweb.debug=true");
        run.assertAcquired();
        assertTrue(run.stderr.contains("extracted " + BUNDLED.get(3) + "\n"), run.stderr);
        assertTrue(run.stderr.contains("extracted libjvelweb.so\n"), run.stderr);
        assertTrue(run.stderr.contains("reused libjvelcom.so"), run.stderr);
        assertTrue(Arrays.equals(original, Files.readAllBytes(registration)));
        assertEquals("rwx------", mode(folder.resolve("libjvelweb.so")));
        assertEquals("rwx------", mode(folder.getParent()));
    }

    @Test
    void foldersThatAreLinksOrNotOursAreRefused(@TempDir Path home, @TempDir Path elsewhere) throws Exception {
        Files.createDirectories(home.resolve(".cache"));
        Files.createSymbolicLink(home.resolve(".cache/jvelweb"), elsewhere);
        String error = probe(home, JAR).error();
        assertTrue(error.contains(home.resolve(".cache/jvelweb") + " is not a folder (a link or a file)"), error);
        try (Stream<Path> files = Files.list(elsewhere)) {
            assertEquals(0, files.count(), "nothing written through the link");
        }

        assumeTrue(System.getProperty("user.name").equals("root"), "only root can give a folder away");
        Files.delete(home.resolve(".cache/jvelweb"));
        Path foreign = Files.createDirectory(home.resolve(".cache/jvelweb"));
        UserPrincipal nobody = foreign.getFileSystem().getUserPrincipalLookupService().lookupPrincipalByName("nobody");
        Files.setOwner(foreign, nobody);
        error = probe(home, JAR).error();
        assertTrue(error.contains(foreign + " belongs to nobody, not to root"), error);
    }

    @Test
    void oneErrorListsEveryPlaceTriedAndTheFix(@TempDir Path home) throws Exception {
        String error = probe(home, CLASSES_JAR, "-Djvelweb.library.path=" + home.resolve("absent")).error();
        String[] lines = error.split(System.lineSeparator());
        assertTrue(lines[0].startsWith("UnsatisfiedLinkError: JVelWeb cannot load its native library libjvelweb.so"
                + " (platform " + PLATFORM + "). Tried, in this order:"), error);
        assertTrue(lines[1].startsWith("  1. -Djvelweb.library.path=" + home.resolve("absent") + ": "), error);
        assertTrue(lines[2].startsWith("  2. java.library.path ("), error);
        assertEquals("  3. the jar's natives for " + PLATFORM + ": this jar carries no natives for " + PLATFORM
                + " (it carries: none)", lines[3]);
        assertTrue(lines[4].startsWith("To fix: use a jvelweb jar that carries the natives for " + PLATFORM), error);
        assertTrue(lines[4].contains("-Djvelweb.debug=true"), error);
    }

    @Test
    void theSearchTakesTheFirstPlaceThatLoads(@TempDir Path home) throws Exception {
        String built = Paths.get(LIBRARY_DIRECTORY, "libjvelweb.so").toString();
        // 1. the property, as a folder and as a file, before java.library.path and the jar
        for (String value : new String[] {LIBRARY_DIRECTORY, built}) {
            Run run = probe(home, CLASSES_JAR, "-Djvelweb.debug=true", "-Djvelweb.library.path=" + value,
                    "-Djava.library.path=" + home.resolve("absent"));
            run.assertAcquired();
            assertTrue(run.stderr.contains("   loaded " + built + "\n"), run.stderr);
            assertFalse(run.stderr.contains("2. System.loadLibrary"), run.stderr);
        }
        // 2. java.library.path before the jar: nothing is extracted
        Run onPath = probe(home, JAR, "-Djvelweb.debug=true", "-Djava.library.path=" + LIBRARY_DIRECTORY);
        onPath.assertAcquired();
        assertTrue(onPath.stderr.contains("1. -Djvelweb.library.path is not set"), onPath.stderr);
        assertTrue(onPath.stderr.contains("   loaded " + built + "\n"), onPath.stderr);
        assertFalse(Files.exists(home.resolve(".cache/jvelweb")));
        // 3. a property that does not load falls through to the jar
        Run fallback = probe(home, JAR, "-Djvelweb.debug=true", "-Djvelweb.library.path=" + home.resolve("absent"));
        fallback.assertAcquired();
        assertTrue(fallback.stderr.contains("   failed: "), fallback.stderr);
        assertTrue(fallback.stderr.contains("   loaded " + extracted(home).resolve("libjvelweb.so")), fallback.stderr);
    }

    @Test
    void aLibraryOfAnotherReleaseIsRefused(@TempDir Path home) throws Exception {
        Path older = home.resolve("jvelweb-0.9.0.jar");
        try (JarInputStream in = new JarInputStream(Files.newInputStream(Paths.get(JAR)))) {
            Manifest manifest = in.getManifest();
            manifest.getMainAttributes().put(Attributes.Name.IMPLEMENTATION_VERSION, "0.9.0");
            try (OutputStream file = Files.newOutputStream(older); JarOutputStream out = new JarOutputStream(file, manifest)) {
                for (JarEntry entry; (entry = in.getNextJarEntry()) != null; ) {
                    out.putNextEntry(new JarEntry(entry.getName()));
                    in.transferTo(out);
                }
            }
        }
        String error = probe(home, older.toString(), "-Djvelweb.library.path=" + LIBRARY_DIRECTORY).error();
        assertEquals("UnsatisfiedLinkError: The native library " + LIBRARY_DIRECTORY + "/libjvelweb.so is JVelWeb "
                + JVelWebLoader.nativeVersion() + ", but this jar is JVelWeb 0.9.0. Use the library of the same release"
                + " as the jar, or remove the other one from -Djvelweb.library.path and java.library.path so the"
                + " jar's own natives load.\n", error);
        // Natives extracted from that jar are this build's, so they are refused too.
        error = probe(home, older.toString()).error();
        assertTrue(error.contains(home.resolve(".cache/jvelweb/0.9.0/" + PLATFORM + "/libjvelweb.so")
                + " (extracted from the jar) is JVelWeb " + JVelWebLoader.nativeVersion() + ", but this jar is JVelWeb 0.9.0"),
                error);
    }

    @Test
    void theManifestNamesTheModuleTheVersionAndNativeAccess() throws Exception {
        try (JarInputStream in = new JarInputStream(Files.newInputStream(Paths.get(JAR)))) {
            Attributes main = in.getManifest().getMainAttributes();
            assertEquals("com.velmora.jvelweb", main.getValue("Automatic-Module-Name"));
            assertEquals(JVelWebLoader.nativeVersion(), main.getValue("Implementation-Version"));
            assertEquals("ALL-UNNAMED", main.getValue("Enable-Native-Access"));
        }
        assertTrue(Paths.get(JAR).getFileName().toString().equals("jvelweb-" + JVelWebLoader.nativeVersion() + ".jar"));
    }

    /** From Java 22 on, loading a library warns unless native access is enabled; the flag we document silences it. */
    @Test
    void theDocumentedFlagSilencesTheNativeAccessWarning(@TempDir Path home) throws Exception {
        Run withFlag = probe(home, JAR);
        withFlag.assertAcquired();
        assertEquals("", withFlag.stderr);
        assumeTrue(Runtime.version().feature() >= 22, "Java " + Runtime.version().feature() + " does not warn");
        ProcessBuilder builder = new ProcessBuilder(System.getProperty("java.home") + "/bin/java", "-cp",
                JAR + ":" + PROBE_JAR, LoaderProbe.class.getName());
        builder.environment().put("HOME", home.toString());
        Process process = builder.start();
        CompletableFuture<String> out = CompletableFuture.supplyAsync(() -> read(process.getInputStream()));
        String err = read(process.getErrorStream());
        assertEquals(0, process.waitFor());
        out.get();
        assertTrue(err.contains("--enable-native-access=ALL-UNNAMED"), err);
    }
}
