package com.velmora.jvelweb.sim;

import java.util.Locale;

/** A small SVG writer: the few shapes the force pictures need, with text escaped. */
final class Svg {
    private final StringBuilder out = new StringBuilder();

    Svg(int width, int height) {
        out.append(String.format(Locale.ROOT, "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                + "viewBox=\"0 0 %d %d\" font-family=\"sans-serif\" font-size=\"14\">\n"
                + "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n"
                + "<defs><marker id=\"head\" markerWidth=\"6\" markerHeight=\"6\" refX=\"5\" refY=\"3\" orient=\"auto\">"
                + "<path d=\"M0,0 L6,3 L0,6 z\" fill=\"#d32f2f\"/></marker></defs>\n", width, height, width, height));
    }

    static String colour(int index) {
        return String.format(Locale.ROOT, "hsl(%.1f,65%%,45%%)", (index * 137.5) % 360);
    }

    void rect(double x, double y, double width, double height) {
        out.append(String.format(Locale.ROOT,
                "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"none\" stroke=\"#999\"/>\n",
                x, y, width, height));
    }

    void line(double x1, double y1, double x2, double y2, String stroke, double width) {
        out.append(String.format(Locale.ROOT,
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" stroke-width=\"%.1f\"/>\n",
                x1, y1, x2, y2, stroke, width));
    }

    /** A force arrow from (x1, y1) to (x2, y2); a dot where the force is nil. */
    void arrow(double x1, double y1, double x2, double y2) {
        if (Math.hypot(x2 - x1, y2 - y1) < 0.5) {
            out.append(String.format(Locale.ROOT, "<circle class=\"force\" cx=\"%.1f\" cy=\"%.1f\" r=\"1\" fill=\"#999\"/>\n",
                    x1, y1));
            return;
        }
        out.append(String.format(Locale.ROOT, "<line class=\"force\" x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" "
                + "stroke=\"#d32f2f\" stroke-width=\"1.5\" marker-end=\"url(#head)\"/>\n", x1, y1, x2, y2));
    }

    void polyline(double[] xy, String stroke, double width, String title) {
        out.append("<polyline fill=\"none\" stroke=\"").append(stroke).append("\" stroke-width=\"")
                .append(String.format(Locale.ROOT, "%.1f", width)).append("\" points=\"");
        for (int i = 0; i < xy.length; i += 2)
            out.append(String.format(Locale.ROOT, "%.1f,%.1f ", xy[i], xy[i + 1]));
        out.append("\"><title>").append(escape(title)).append("</title></polyline>\n");
    }

    void text(double x, double y, String text) {
        out.append(String.format(Locale.ROOT, "<text x=\"%.1f\" y=\"%.1f\">", x, y)).append(escape(text))
                .append("</text>\n");
    }

    String finish() {
        return out.append("</svg>\n").toString();
    }

    static String escape(String text) {
        return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace("\"", "&quot;");
    }
}
