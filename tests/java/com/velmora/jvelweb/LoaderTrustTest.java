package com.velmora.jvelweb;

import static com.velmora.jvelweb.LoaderTest.CLASSES_JAR;
import static com.velmora.jvelweb.LoaderTest.JAR;
import static com.velmora.jvelweb.LoaderTest.PLATFORM;
import static com.velmora.jvelweb.LoaderTest.copyJar;
import static com.velmora.jvelweb.LoaderTest.probe;
import static com.velmora.jvelweb.LoaderTest.sha256;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.velmora.jvelweb.LoaderTest.Run;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * The loader against other local users: folders on the way to the cache that
 * someone else could change, a working directory with a planted library, and
 * a second build of the same version started beside a running one. Rows that
 * need a second user give folders to {@code nobody}, so they run as root (as
 * CI runs them) and are left out otherwise.
 */
class LoaderTrustTest {
    interface Setup {
        void on(Path home) throws Exception;
    }

    record Hostile(String what, boolean needsRoot, Setup setup, String refusal, String fix) {}

    static void chmod(Path path, String mode) throws IOException {
        Files.setPosixFilePermissions(path, PosixFilePermissions.fromString(mode));
    }

    static void giveToNobody(Path path) throws IOException {
        UserPrincipal nobody = path.getFileSystem().getUserPrincipalLookupService().lookupPrincipalByName("nobody");
        Files.setOwner(path, nobody);
    }

    /**
     * The trust rule, from / down to each folder extracted to: the folders
     * that another user could change are refused, named with the reason and
     * the fix, and nothing is written through them. A sticky folder above is
     * accepted, as /tmp (which holds every home here) is.
     */
    @Test
    void theCacheFolderAndEveryFolderAboveItMustBeBeyondOtherUsers(@TempDir Path homes, @TempDir Path elsewhere)
            throws Exception {
        String own = "name a folder of your own with -Djvelweb.cache.dir=<folder> (one that only root and you can"
                + " write, and the folders above it too)";
        String remove = " (the loader makes it afresh), or name another folder with -Djvelweb.cache.dir=<folder>";
        String uid = "uid " + Files.getAttribute(homes, "unix:uid");
        List<Hostile> rows = List.of(
                new Hostile(".cache writable by others", false, home -> chmod(Files.createDirectory(home.resolve(".cache")),
                        "rwxrwxrwx"), "{home}/.cache can be written by other users (mode 0777), who could replace the natives"
                        + " under it", "run chmod go-w {home}/.cache, or " + own),
                new Hostile("home writable by its group", false, home -> chmod(home, "rwxrwx---"),
                        "{home} can be written by other users (mode 0770)", "run chmod go-w {home}, or " + own),
                new Hostile("sticky .cache, like /tmp", false, home -> Files.setAttribute(
                        Files.createDirectory(home.resolve(".cache")), "unix:mode", 01777), null, null),
                new Hostile("jvelweb a link", false, home -> Files.createSymbolicLink(
                        Files.createDirectories(home.resolve(".cache")).resolve("jvelweb"), elsewhere),
                        "{home}/.cache/jvelweb is not a folder (a link or a file)", "remove {home}/.cache/jvelweb" + remove),
                new Hostile(".cache of another user", true, home -> giveToNobody(Files.createDirectory(home.resolve(".cache"))),
                        "{home}/.cache belongs to nobody (uid 65534), who could replace the natives under it", own),
                new Hostile("home of another user (sudo -E)", true, home -> giveToNobody(home),
                        "{home} belongs to nobody (uid 65534), who could replace", own),
                new Hostile("jvelweb of another user", true, home -> giveToNobody(
                        Files.createDirectories(home.resolve(".cache/jvelweb"))), "{home}/.cache/jvelweb belongs to"
                        + " nobody (uid 65534), not to " + System.getProperty("user.name") + " (" + uid + ")",
                        "remove {home}/.cache/jvelweb" + remove));
        boolean root = System.getProperty("user.name").equals("root");
        int index = 0;
        for (Hostile row : rows) {
            if (row.needsRoot && !root) continue;  // only root can give a folder away
            Path home = Files.createDirectory(homes.resolve("home" + index++));
            row.setup.on(home);
            Run run = probe(home, JAR);
            if (row.refusal == null) {
                run.assertAcquired();
                continue;
            }
            String error = run.error();
            String base = home + "/.cache (from HOME) cannot be used: ";
            assertTrue(error.contains("2. the jar's natives for " + PLATFORM + ": the cache folder " + base
                    + row.refusal.replace("{home}", home.toString())), row.what + ": " + error);
            assertTrue(error.contains("To fix: " + row.fix.replace("{home}", home.toString()) + "; or point"), row.what + ": " + error);
        }
        try (Stream<Path> files = Files.list(elsewhere)) {
            assertEquals(0, files.count(), "nothing written through the link");
        }
    }

    /**
     * Empty and relative elements of java.library.path (here from
     * LD_LIBRARY_PATH) are never searched: a library planted in the working
     * directory is not even opened.
     */
    @Test
    void emptyAndRelativeLibraryPathElementsAreNotSearched(@TempDir Path home) throws Exception {
        Path work = Files.createDirectories(home.resolve("work/relative"));
        Files.writeString(work.resolve("libjvelweb.so"), "planted");
        Files.writeString(work.getParent().resolve("libjvelweb.so"), "planted");
        String error = probe(home, Map.of("LD_LIBRARY_PATH", ":relative"), work.getParent(), CLASSES_JAR).error();
        assertTrue(error.contains("; not searched, as empty or relative: '', 'relative'"), error);
        assertFalse(error.contains("ELF") || error.contains(work.getParent().toString()), error);
    }

    /** Two builds of one version never share a folder: the first's files stay as they were, inode and all. */
    @Test
    void eachBuildHasAFolderOfItsOwn(@TempDir Path home) throws Exception {
        String prefix = "com/velmora/jvelweb/native/" + PLATFORM + "/";
        Path rebuilt = copyJar(home.resolve("rebuilt.jar"), JVelWebLoader.jarVersion(), entries -> {
            byte[] module = Arrays.copyOf(entries.get(prefix + "libvelwebsim.so"), entries.get(prefix + "libvelwebsim.so").length + 1);
            entries.put(prefix + "libvelwebsim.so", module);
            String index = new String(entries.get(prefix + "files"), StandardCharsets.UTF_8);
            try {
                index = index.replaceAll("[0-9a-f]{64} libvelwebsim.so", sha256(module) + " libvelwebsim.so");
            } catch (Exception e) {
                throw new IllegalStateException(e);
            }
            entries.put(prefix + "files", index.getBytes(StandardCharsets.UTF_8));
        });
        probe(home, JAR).assertAcquired();
        List<Path> modules = extractedModules(home);
        assertEquals(1, modules.size(), modules.toString());
        Path first = modules.get(0);
        Object inode = Files.getAttribute(first, "unix:ino");
        String content = sha256(Files.readAllBytes(first));

        Run second = probe(home, rebuilt.toString(), "-Djvelweb.debug=true");
        second.assertAcquired();
        assertEquals(2, extractedModules(home).size(), second.stderr());
        assertEquals(inode, Files.getAttribute(first, "unix:ino"), "the first build's module was replaced");
        assertEquals(content, sha256(Files.readAllBytes(first)));
    }

    private static List<Path> extractedModules(Path home) throws IOException {
        try (Stream<Path> paths = Files.walk(home.resolve(".cache/jvelweb"))) {
            return paths.filter(path -> path.getFileName().toString().equals("libvelwebsim.so")).toList();
        }
    }
}
