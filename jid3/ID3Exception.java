package jid3;

/** A tag that cannot be read: malformed, cut short, or lacking a field that was asked for. */
public class ID3Exception extends Exception {
    private static final long serialVersionUID = 1L;

    public ID3Exception(String message) {
        super(message);
    }

    public ID3Exception(String message, Throwable cause) {
        super(message, cause);
    }
}
