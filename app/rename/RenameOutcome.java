package app.rename;

/** How a rename ended. */
public enum RenameOutcome {
    /** The entry bears the new name: renamed, or named so already. */
    RENAMED,
    /**
     * Another entry holds the new name, so the entry keeps its own. Not reported: this is how a run
     * settles entries aiming at one name.
     */
    NAME_TAKEN,
    /** The system refused, and the refusal was reported with its reason. */
    REFUSED
}
