package app.journal;

import java.io.File;
import java.io.IOException;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * The renames that killed runs on a music folder left between their two steps: the entry got its
 * new name as a second one, and the old one had not gone yet. The journals tell them, newest
 * first, back to the newest run that ended (it finished all there were); an undone run's are the
 * undo's. Read before the run makes its own journal.
 */
public final class InterruptedRenames {
    /** None: for a disk of no music folder's run. */
    public static final InterruptedRenames NONE = new InterruptedRenames();
    /** Old and new name of each, by the canonical path of its folder. */
    private final Map<String, List<File[]>> byFolder = new HashMap<>();

    private InterruptedRenames() {
    }

    public static InterruptedRenames of(File musicFolder) {
        InterruptedRenames renames = new InterruptedRenames();
        try {
            for (File journal : JournalFolder.of(JournalFolder.location(), musicFolder.getCanonicalPath())) {
                if (JournalFormat.isClosing(JournalReader.lastLine(journal))) {
                    break;
                }
                JournalRun run = JournalReader.read(journal);
                if (run.closed) {
                    break;
                }
                if (!run.isUndone()) {
                    renames.addLinkedOnly(run);
                }
            }
        } catch (IOException e) {
            // What could be read is finished; the rest stays under two names, as without a journal.
        }
        return renames;
    }

    private void addLinkedOnly(JournalRun run) throws IOException {
        for (Change change : run.changes()) {
            if (!(change instanceof Rename) || change.isConfirmed()) {
                continue;
            }
            Rename rename = (Rename) change;
            for (RenameStep step : rename.steps()) {
                if (step.kind == RenameStep.Kind.LINK && !step.isFailed() && step.from.equals(rename.oldPath.getName())
                        && step.name.equals(rename.newPath.getName())) {
                    String folder = rename.oldPath.getParentFile().getCanonicalPath();
                    byFolder.computeIfAbsent(folder, key -> new ArrayList<>()).add(new File[] {rename.oldPath, rename.newPath});
                }
            }
        }
    }

    /** The old and the new name of each interrupted rename in the album folder. */
    public List<File[]> in(File album) {
        if (byFolder.isEmpty()) {
            return Collections.emptyList();
        }
        try {
            return byFolder.getOrDefault(album.getCanonicalPath(), Collections.emptyList());
        } catch (IOException e) {
            return Collections.emptyList();
        }
    }
}
