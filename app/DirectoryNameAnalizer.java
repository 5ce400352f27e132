package app;

import java.io.File;

/** Takes the album directory's own name, lower-cased, as the stem of every name made later. */
public class DirectoryNameAnalizer implements Step {
    @Override
    public void execute(File directory, Context context) {
        context.setText(directory.getName().toLowerCase());
    }
}
