import com.velmora.jvelweb.JVelWeb;

/**
 * A program outside the repository with nothing but the jar: it must load the
 * library, acquire the bundled simulated plug-in, see a refused call fail
 * with the plug-in's error, and release it.
 */
public class JarAlone {
    public static void main(String[] args) {
        JVelWeb web = new JVelWeb();
        check(web._jni_initialize(0) == 0, "acquires the plug-in");
        check(web.GetPluginVersion().endsWith("-sim"), "the bundled simulated plug-in answers: " + web.GetPluginVersion());
        check(web.MakeSpring("spring", 0), "makes a spring");
        check(!web.ChangeStiffness("spring", 0, 4000, 4000), "a spring has no stiffness: refused");
        check(web.GetLastError() == 0x80040A03, "the refusal is VELSIM_E_NOT_SUPPORTED: " + Integer.toHexString(web.GetLastError()));
        check(web._jni_delete() == 0, "releases the plug-in");
        System.out.println("jar alone: " + web.getClass().getPackage().getImplementationVersion());
    }

    static void check(boolean condition, String what) {
        if (!condition) {
            System.out.println("not so: " + what);
            System.exit(1);
        }
    }
}
