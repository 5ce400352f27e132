package app.steps;

/** Every name made in an album directory, tracks aside, starts with "00-" and the directory's name. */
final class AlbumName {
    private AlbumName() {
    }

    static String of(String text, String suffix) {
        return "00-" + text + suffix;
    }
}
