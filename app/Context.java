package app;

import java.io.File;
import java.util.List;

/** What the steps of one album directory hand on to each other. */
public class Context {
    private String text;
    private List<File> files;

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

    @Override
    public String toString() {
        return "text=" + text + ";files=" + files;
    }
}
