import java.util.HashMap;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * The Javadoc of JVelWeb's natives, read from its source and rewritten for a
 * method of another class of the package: links to JVelWeb's own members and
 * anchors point at JVelWeb, so an IDE hover on a CheckedJVelWeb method shows
 * what JVelWeb says about that operation and its parameters.
 */
final class NativeJavadoc {
    /** One native's comment, split: the description, the block tags by kind. */
    record Comment(String description, Map<String, String> params, String result, String see) {}

    private static final Pattern NATIVE = Pattern.compile(
            "/\\*\\*(.*?)\\*/\\s*public native \\w+ (\\w+)\\(([^)]*)\\);", Pattern.DOTALL);

    private final Map<String, Comment> bySignature = new HashMap<>();

    /** Reads every native's comment from JVelWeb's source text. */
    NativeJavadoc(String source) {
        Matcher method = NATIVE.matcher(source);
        while (method.find()) {
            StringBuilder types = new StringBuilder();
            for (String parameter : method.group(3).split(",")) {
                if (parameter.isBlank()) continue;
                if (types.length() > 0) types.append(", ");
                types.append(parameter.strip().split("\\s+")[0]);
            }
            bySignature.put(method.group(2) + "(" + types + ")", parse(method.group(1)));
        }
    }

    /** The comment of the native with this signature, e.g. {@code GetCenterX(String, int)}. */
    Comment of(String signature) {
        Comment comment = bySignature.get(signature);
        if (comment == null) throw new IllegalStateException("JVelWeb.java has no Javadoc for " + signature);
        return comment;
    }

    private static Comment parse(String raw) {
        String text = raw.replaceAll("(?m)^\\s*\\* ?", "").strip();
        String[] blocks = text.split("\\n(?=@)");
        Map<String, String> params = new HashMap<>();
        String result = null;
        String see = null;
        for (int i = 1; i < blocks.length; i++) {
            String block = retarget(blocks[i].replaceAll("\\s*\\n\\s*", " ").strip());
            if (block.startsWith("@param ")) {
                String[] nameAndText = block.substring(7).split(" ", 2);
                params.put(nameAndText[0], nameAndText.length > 1 ? nameAndText[1] : "");
            } else if (block.startsWith("@return ")) {
                result = block.substring(8);
            } else if (block.startsWith("@see ")) {
                see = block.substring(5);
            }
        }
        return new Comment(retarget(blocks[0].strip()), params, result, see);
    }

    /** Points links to members ({@code #Name}) and anchors ({@code href="#id"}) of JVelWeb at JVelWeb. */
    static String retarget(String text) {
        return text.replaceAll("\\{@link(plain)? #", "{@link$1 JVelWeb#")
                .replace("href=\"#", "href=\"JVelWeb.html#");
    }

    /**
     * JVelWeb's result text without its failure clause ("the value; -99 on
     * failure" gives "the value"), since the checked call throws instead.
     */
    static String successPart(String result) {
        int clause = result.indexOf("; ");
        return clause >= 0 && result.substring(clause).contains("failure") ? result.substring(0, clause) : result;
    }

    /** The comment's lines, each prefixed for a method of the generated class. */
    static String indent(String text) {
        StringBuilder lines = new StringBuilder();
        for (String line : text.split("\n", -1)) {
            lines.append(line.isEmpty() ? "     *\n" : "     * " + line + "\n");
        }
        return lines.toString();
    }
}
