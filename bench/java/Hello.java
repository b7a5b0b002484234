// The JVM's start-up for bench/startup.sh: prints one line and ends.
// Run with: java Hello
public class Hello {
    public static void main(String[] args) {
        System.out.println("hello");
    }
}
