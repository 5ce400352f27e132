package app;

import app.disk.TrackTimes;
import java.io.File;
import java.io.IOException;
import java.util.Collections;
import java.util.List;
import java.util.Map;

/** What the steps of one album directory hand on to each other. */
public class Context {
    private String text;
    private List<File> files;
    private Map<File, String> previousNames = Collections.emptyMap();
    private String canonicalPath;
    private Map<File, TrackTimes> timesBefore = Collections.emptyMap();

    /** The directory's own name, lower-cased; null until the first step ran. */
    public String getText() {
        return text;
    }

    public void setText(String text) {
        this.text = text;
    }

    /** The renamed tracks, in the order they were handled; the list itself, not a copy. */
    public List<File> getFiles() {
        return files;
    }

    public void setFiles(List<File> files) {
        this.files = files;
    }

    /** The name each track that was renamed had before this run, by its new path. */
    public Map<File, String> getPreviousNames() {
        return previousNames;
    }

    public void setPreviousNames(Map<File, String> previousNames) {
        this.previousNames = previousNames;
    }

    /** The name the track had before this run: the one it bears now unless it was renamed. */
    public String previousName(File track) {
        String previous = previousNames.get(track);
        return previous == null ? track.getName() : previous;
    }

    /** The times each track had before this run renamed it, by its path now: kept by a quick run only. */
    public void setTimesBefore(Map<File, TrackTimes> timesBefore) {
        this.timesBefore = timesBefore;
    }

    /** The track's times before this run; null where they were not kept or could not be read. */
    public TrackTimes timesBefore(File track) {
        return timesBefore.get(track);
    }

    /** The album directory's canonical path, worked out once for all the steps that ask (each look costs a call per folder in the path). */
    public String canonicalPath(File directory) throws IOException {
        if (canonicalPath == null) {
            canonicalPath = directory.getCanonicalPath();
        }
        return canonicalPath;
    }

    @Override
    public String toString() {
        return "text=" + text + ";files=" + files;
    }
}
