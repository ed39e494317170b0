package com.velmora.jvelweb;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Names reach the plug-in unchanged, whatever UTF-16 they hold, U+0000 included;
 * the plug-in's text comes back unchanged up to its first U+0000.
 */
class TextTest extends PluginSession {

    static final List<String> NAMES = List.of(
            "caf\u00e9", "cafe\u0301", "Gr\u00fc\u00dfe", "\u65e5\u672c\u8a9e \u52b9\u679c", "smile \ud83d\ude00",
            "\ud83d\ude00", "\ud800\udc00\udbff\udfff", "a\u0000b", "\u0000", "end\u0000", "lone \ud83d high",
            "\ude00 lone low", "\ude00\ud83d", "\ud83d", "tab\tand\nnewline", "\u07ff\u0800\uffff", "\ufeffbom");

    /** What Java gets back for a name the plug-in gives out: the text before its first U+0000. */
    static String asReturned(String name) {
        int zero = name.indexOf('\u0000');
        return zero < 0 ? name : name.substring(0, zero);
    }

    /** Strings that differ from {@code name} by a little, and are none of the names made. */
    static List<String> nearVariants(String name) {
        List<String> variants = new ArrayList<>(List.of(name + " ", " " + name, name + "\u0000", name.toUpperCase()));
        if (name.length() > 1) {
            variants.add(name.substring(0, name.length() - 1));
            variants.add(name.substring(1));
        }
        variants.add(name.replace('\u0000', ' '));
        variants.add(name.replace("\u0000", ""));
        variants.removeIf(v -> v.isEmpty() || v.equals(name) || NAMES.contains(v));
        return variants;
    }

    @Test
    void namesRoundTripExactly() {
        for (String name : NAMES) {
            assertTrue(web.MakeConstant(name), "MakeConstant(" + Natives.show(name) + ")");
        }
        assertEquals(NAMES.size(), web.GetNumberOfEffects(0), "every name is a different effect");
        for (int i = 0; i < NAMES.size(); i++) {
            String name = NAMES.get(i);
            assertEquals(Natives.show(asReturned(name)), Natives.show(web.GetNameOfEffect(0, i)),
                    "GetNameOfEffect(0, " + i + ")");
            assertEquals(asReturned(name), web.GetNameOfEffect(0, i));
            assertEquals("Constant", web.GetEffectTypeName(name, 0), "GetEffectTypeName(" + Natives.show(name) + ")");
            assertTrue(web.EffectExists(name, 0), "EffectExists(" + Natives.show(name) + ")");
            for (String variant : nearVariants(name)) {
                assertFalse(web.EffectExists(variant, 0),
                        "EffectExists(" + Natives.show(variant) + ") with only " + Natives.show(name) + " made");
            }
        }
    }

    @Test
    void insideEffectNamesRoundTripAsMembers() {
        for (int i = 0; i < NAMES.size(); i++) {
            String shape = NAMES.get(i) + "\ud83d\udd35";
            String inside = NAMES.get(NAMES.size() - 1 - i);
            assertTrue(web.MakeEnclosure(shape), "MakeEnclosure(" + Natives.show(shape) + ")");
            assertTrue(web.MakeSpring(inside, 0), "MakeSpring(" + Natives.show(inside) + ")");
            assertTrue(web.ChangeInsideEffect(shape, 0, inside, 0), "ChangeInsideEffect to " + Natives.show(inside));
            assertEquals(Natives.show(asReturned(inside)), Natives.show(web.GetNameOfEffectInCompound(shape, 0, 0)),
                    "the inside effect of " + Natives.show(shape));
            assertEquals("Enclosure", web.GetEffectTypeName(shape, 0));
        }
    }

    /** Names that come from a UTF-8 resource file (not from Java) reach Java exactly too. */
    @Test
    void resourceNamesReachJavaExactly(@TempDir Path temp) throws Exception {
        List<String> names = List.of("say \"hi\"", "back\\slash", "\u65e5\u672c\ud83d\ude00", "has # hash",
                "\u00e9t\u00e9", "all of them");
        String file = "\ufeff# made by TextTest\r\n"
                + "effect \"say \\\"hi\\\"\" Constant\r\n"
                + "effect \"back\\\\slash\"\tRamp\n"
                + "effect \u65e5\u672c\ud83d\ude00 Spring 2\n"
                + "\n"
                + "effect \"has # hash\" Grid   # a comment\n"
                + "effect \u00e9t\u00e9 Texture 1\n"
                + "compound \"all of them\" \"say \\\"hi\\\"\" \u65e5\u672c\ud83d\ude00 \u00e9t\u00e9\n";
        Path path = temp.resolve("\u540d\u524d \ud83d\ude00.vel");
        Files.write(path, file.getBytes(StandardCharsets.UTF_8));
        assertEquals(names.size(), web.OpenForceResource(path.toString()), "OpenForceResource of " + path);
        List<String> listed = new ArrayList<>();
        for (int i = 0; i < names.size(); i++) {
            listed.add(Natives.show(web.GetNameOfEffect(0, i)));
        }
        assertEquals(names.stream().map(Natives::show).collect(Collectors.toList()), listed);
        assertEquals(3, web.GetNumberOfEffectsInCompound("all of them", 0));
        assertEquals("\u65e5\u672c\ud83d\ude00", web.GetNameOfEffectInCompound("all of them", 0, 1));
        assertEquals(2, web.GetAxis("\u65e5\u672c\ud83d\ude00", 0), "GetAxis of the CJK spring");
    }
}
