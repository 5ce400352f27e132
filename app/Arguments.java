package app;

import java.util.Arrays;
import java.util.List;

/**
 * What the command line asks for. The options come before the music folder, in any order: they
 * are read from the first argument up to the first that is not one or repeats one already read,
 * which is the music folder; later arguments are ignored. A folder named like an option is given
 * as a path (./--recursive). The version is asked for by the very first argument only.
 */
final class Arguments {
    /** Show every change the run would make, and make none. */
    static final String DRY_RUN = "--dry-run";
    /** Take every folder below the music folder that holds an MP3 track of its own for an album. */
    static final String RECURSIVE = "--recursive";
    /** Keep the listed checksum of a track unchanged since an old list, without reading the track. */
    static final String QUICK = "--quick";
    /** Take back the newest run on the folder that was not undone yet. */
    static final String UNDO = "--undo";
    /** Print the product's name and version, and nothing else. */
    static final String VERSION = "--version";
    /** The options before the music folder, in the order the usage line names them. */
    static final List<String> OPTIONS = Arrays.asList(DRY_RUN, QUICK, RECURSIVE, UNDO);

    final boolean version;
    final boolean dryRun;
    final boolean quick;
    final boolean recursive;
    final boolean undo;
    /** The music folder as given; null when no argument follows the options. */
    final String musicFolder;

    private Arguments(String[] args, List<String> options, String musicFolder) {
        version = args.length > 0 && args[0].equals(VERSION);
        dryRun = options.contains(DRY_RUN);
        quick = options.contains(QUICK);
        recursive = options.contains(RECURSIVE);
        undo = options.contains(UNDO);
        this.musicFolder = musicFolder;
    }

    static Arguments of(String... args) {
        int read = 0;
        while (read < args.length && OPTIONS.contains(args[read])
                && !Arrays.asList(args).subList(0, read).contains(args[read])) {
            read++;
        }
        return new Arguments(args, Arrays.asList(args).subList(0, read), read < args.length ? args[read] : null);
    }
}
