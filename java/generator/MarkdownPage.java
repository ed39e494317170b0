import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * Turns one of our Markdown documents into a plain HTML page for the javadoc
 * jar's doc-files, so Maven users read it beside the Javadoc. It knows the
 * Markdown our documents use and no more: headings, paragraphs, lists with
 * indented continuation lines, tables, fenced code, inline code, bold,
 * italics and links. A link to another document, which the javadoc jar does
 * not carry, keeps its text only.
 *
 * <p>Usage: {@code java MarkdownPage.java <document.md> <page.html> <title>}
 */
public final class MarkdownPage {
    private final List<String> lines;
    private final StringBuilder html = new StringBuilder();
    private int at;

    private MarkdownPage(List<String> lines) {
        this.lines = lines;
    }

    public static void main(String[] args) throws Exception {
        List<String> lines = Files.readAllLines(Path.of(args[0]), StandardCharsets.UTF_8);
        String body = new MarkdownPage(lines).render();
        Path page = Path.of(args[1]);
        Files.createDirectories(page.getParent());
        Files.writeString(page, "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
                + escape(args[2]) + "</title>\n<style>body{max-width:60em;margin:1em auto;padding:0 1em;"
                + "font-family:sans-serif;line-height:1.4}table{border-collapse:collapse}"
                + "td,th{border:1px solid #bbb;padding:.2em .5em;vertical-align:top}"
                + "pre{background:#f4f4f4;padding:.5em;overflow-x:auto}</style>\n</head>\n<body>\n"
                + body + "</body>\n</html>\n", StandardCharsets.UTF_8);
    }

    private String render() {
        while (at < lines.size()) {
            String line = lines.get(at);
            if (line.isBlank()) {
                at++;
            } else if (line.startsWith("```")) {
                code();
            } else if (line.startsWith("#")) {
                heading(line);
            } else if (line.startsWith("|")) {
                table();
            } else if (isItem(line)) {
                list(line.matches("^\\d+\\. .*") ? "ol" : "ul");
            } else {
                html.append("<p>").append(inline(String.join(" ", block(0)))).append("</p>\n");
            }
        }
        return html.toString();
    }

    private static boolean isItem(String line) {
        return line.startsWith("- ") || line.matches("^\\d+\\. .*");
    }

    /** Lines up to a blank line or the start of another block; continuation lines indented by {@code indent}. */
    private List<String> block(int indent) {
        List<String> text = new ArrayList<>();
        text.add(lines.get(at++).strip());
        while (at < lines.size()) {
            String line = lines.get(at);
            boolean indented = line.startsWith(" ".repeat(Math.max(indent, 1))) || indent == 0;
            if (line.isBlank() || line.startsWith("```") || line.startsWith("#") || line.startsWith("|")
                    || isItem(line) || !indented) {
                break;
            }
            text.add(line.strip());
            at++;
        }
        return text;
    }

    private void code() {
        at++;
        html.append("<pre>");
        while (at < lines.size() && !lines.get(at).startsWith("```")) {
            html.append(escape(lines.get(at++))).append('\n');
        }
        at++;
        html.append("</pre>\n");
    }

    private void heading(String line) {
        int level = line.indexOf(' ');
        String text = line.substring(level + 1).strip();
        String id = text.toLowerCase().replaceAll("[^a-z0-9]+", "-").replaceAll("^-|-$", "");
        html.append("<h").append(level).append(" id=\"").append(id).append("\">").append(inline(text))
                .append("</h").append(level).append(">\n");
        at++;
    }

    private void table() {
        html.append("<table>\n");
        boolean header = true;
        while (at < lines.size() && lines.get(at).startsWith("|")) {
            String row = lines.get(at++).strip();
            if (row.matches("^\\|[\\s:|-]+\\|$")) continue;  // the line under the header
            String cell = header ? "th" : "td";
            html.append("<tr>");
            for (String text : row.substring(1, row.length() - 1).split("(?<!\\\\)\\|", -1)) {
                html.append('<').append(cell).append('>').append(inline(text.strip())).append("</").append(cell).append('>');
            }
            html.append("</tr>\n");
            header = false;
        }
        html.append("</table>\n");
    }

    private void list(String tag) {
        html.append('<').append(tag).append(">\n");
        while (at < lines.size() && isItem(lines.get(at))) {
            String first = lines.get(at);
            int marker = first.indexOf(' ') + 1;
            List<String> text = block(2);
            text.set(0, first.substring(marker).strip());
            html.append("<li>").append(inline(String.join(" ", text))).append("</li>\n");
            while (at < lines.size() && lines.get(at).isBlank() && at + 1 < lines.size() && isItem(lines.get(at + 1))) {
                at++;
            }
        }
        html.append("</").append(tag).append(">\n");
    }

    private static final Pattern INLINE = Pattern.compile("`([^`]+)`|\\*\\*(.+?)\\*\\*|\\*(\\S.*?)\\*|\\[([^\\]]+)\\]\\(([^)]+)\\)");

    /** Inline code, bold, italics and links; everything else escaped. */
    static String inline(String text) {
        StringBuilder out = new StringBuilder();
        Matcher m = INLINE.matcher(text);
        int last = 0;
        while (m.find()) {
            out.append(escape(text.substring(last, m.start())));
            if (m.group(1) != null) {
                out.append("<code>").append(escape(m.group(1))).append("</code>");
            } else if (m.group(2) != null) {
                out.append("<b>").append(inline(m.group(2))).append("</b>");
            } else if (m.group(3) != null) {
                out.append("<i>").append(inline(m.group(3))).append("</i>");
            } else if (m.group(5).startsWith("http") || m.group(5).startsWith("#")) {
                out.append("<a href=\"").append(escape(m.group(5))).append("\">").append(inline(m.group(4))).append("</a>");
            } else {
                out.append(inline(m.group(4)));
            }
            last = m.end();
        }
        return out.append(escape(text.substring(last))).toString();
    }

    static String escape(String text) {
        return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace("\"", "&quot;");
    }
}
