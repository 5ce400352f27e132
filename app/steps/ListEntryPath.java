package app.steps;

import java.io.File;
import java.io.UnsupportedEncodingException;
import java.net.URLDecoder;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * The path that an entry of an old list names, as players read playlists: `\` and `/` both
 * separate names, a relative entry lies in the list's folder, and a `file:` URL is a path spelt
 * so. An entry of another system (a drive letter or a server's share on Linux, a path from the
 * root of no drive on Windows), another URL, or a name the system refuses names nothing.
 */
final class ListEntryPath {
    private static final boolean WINDOWS = File.separatorChar == '\\';
    /** Two letters at least: `C:` is a drive. */
    private static final Pattern URL_SCHEME = Pattern.compile("[A-Za-z][A-Za-z0-9+.-]+:");
    private static final Pattern FILE_URL = Pattern.compile("(?i)file:(//(localhost)?(?=/))?");
    /** `/C:/Music` in a `file:` URL is `C:/Music`. */
    private static final Pattern DRIVE_IN_URL = Pattern.compile("/(?=[A-Za-z]:)");
    private static final Pattern DRIVE_OR_SHARE = Pattern.compile("[A-Za-z]:.*|//.*");

    private ListEntryPath() {
    }

    /** The path the entry names, or null where it names none. */
    static Path resolve(File listFolder, String entry) {
        String path = entry;
        Matcher url = FILE_URL.matcher(entry);
        if (url.lookingAt()) {
            path = decoded(entry.substring(url.end()));
            path = path == null ? null : DRIVE_IN_URL.matcher(path).replaceFirst("");
        } else if (URL_SCHEME.matcher(entry).lookingAt()) {
            return null;
        }
        if (path == null || path.isEmpty()) {
            return null;
        }
        path = path.replace('\\', '/');
        try {
            return named(listFolder.toPath(), path);
        } catch (InvalidPathException e) {
            return null;
        }
    }

    private static Path named(Path listFolder, String path) {
        if (!WINDOWS && DRIVE_OR_SHARE.matcher(path).matches()) {
            return null;
        }
        Path named = Paths.get(path);
        if (named.isAbsolute()) {
            return named;
        }
        // On Windows `/x` and `C:x` depend on the drive and the folder the program was started in.
        return named.getRoot() != null ? null : listFolder.resolve(named);
    }

    /** Percent-decoded as UTF-8 (a `+` is itself); null where it is not valid. */
    private static String decoded(String text) {
        try {
            return URLDecoder.decode(text.replace("+", "%2B"), "UTF-8");
        } catch (IllegalArgumentException | UnsupportedEncodingException e) {
            return null;
        }
    }
}
