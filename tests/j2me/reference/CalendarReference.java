import java.util.Calendar;
import java.util.Date;
import java.util.GregorianCalendar;
import java.util.SimpleTimeZone;
import java.util.TimeZone;

// Prints the C++ header CalendarReference.inc: calendar fields and times computed by
// OpenJDK's GregorianCalendar (cutover 15 October 1582) in fixed-offset zones, for the
// runtime's calendar tests. Run from the repository root:
//   java tests/j2me/reference/CalendarReference.java > tests/j2me/reference/CalendarReference.inc
public class CalendarReference {
    static final long DAY = 86400000L;

    // Offsets (ms) of the zones: GMT and fixed offsets that the offset-ID grammar reaches.
    static final int[] OFFSETS = {0, 3600000, -18000000, 19800000, 20700000, -43200000, 50400000, 86340000, -86340000};

    static final long[] INSTANTS = {
        0L, -1L, 1L, 999L, 1000L, 43199999L, 43200000L, DAY - 1, DAY,
        951782400000L,             // 2000-02-29, divisible by 400
        951868799999L,             // last millisecond of 2000-02-29
        951868800000L,             // 2000-03-01
        -2203891200000L,           // 1900-03-01, no leap day in 1900
        -2203891200001L,           // 1900-02-28 23:59:59.999
        -2077747200000L,           // 1904-02-29
        1078012800000L,            // 2004-02-29
        1709164800000L,            // 2024-02-29
        1709251200000L,            // 2024-03-01
        4107542400000L,            // 2100-03-01, no leap day in 2100
        946684799999L,             // 1999-12-31 23:59:59.999
        946684800000L,             // 2000-01-01
        978307199999L,             // 2000-12-31 23:59:59.999 (day 366)
        1704067199999L,            // 2023-12-31 23:59:59.999
        2678399999L,               // 1970-01-31 23:59:59.999
        2678400000L,               // 1970-02-01
        5097599999L,               // 1970-02-28 23:59:59.999
        10367999999L,              // 1970-04-30 23:59:59.999
        15638399999L,              // 1970-06-30 23:59:59.999
        -86400000L,                // 1969-12-31
        -86400001L,
        -14182940000L,             // 1969-07-20 20:17:40
        -2208988800000L,           // 1900-01-01
        -2208988800001L,
        -12219292800000L,          // 1582-10-15, first Gregorian day
        -12219292800001L,          // 1582-10-04 23:59:59.999, Julian
        -12219379200000L,          // 1582-10-04
        -12243225600000L,          // 1582-01-01 (Julian)
        -12243225600001L,
        -30604694400000L,          // 1000-02-29 (Julian leap day)
        -30578169600000L,          // 1001-01-01 (Julian)
        -59043168000000L,          // 0099-01-01 (Julian)
        -62104320000000L,          // 0001-12-31 (Julian)
        -62135769600000L,          // 0001-01-01 (Julian), a Saturday
        -62135769600001L,          // last millisecond of 1 BC
        -62167392000000L,          // 0001-01-01 BC (Julian), a leap year
        -62198928000000L,          // 2 BC
        -63555926400000L,          // 45 BC, 1 January
        -100000000000000L,
        -1000000000000000L,
        2147483647000L,            // 2038-01-19 03:14:07
        4102444800000L,            // 2100-01-01
        253402300799999L,          // 9999-12-31 23:59:59.999
        253402300800000L,          // 10000-01-01
        1000000000000000L,
        9000000000000000000L,
        Long.MAX_VALUE,
        Long.MIN_VALUE,
    };

    // Field values set on a cleared calendar, read back as a time: {offset, year, month,
    // date, hourOfDay, minute, second, millisecond}, with a label.
    static final Object[][] SETS = {
        {"epoch", 0, 1970, 0, 1, 0, 0, 0, 0},
        {"month 13", 0, 1970, 13, 1, 0, 0, 0, 0},
        {"month -1", 0, 2023, -1, 1, 0, 0, 0, 0},
        {"month -13", 0, 2023, -13, 15, 12, 0, 0, 0},
        {"month 25", 3600000, 2000, 25, 10, 0, 0, 0, 0},
        {"date 0", 0, 2023, 0, 0, 0, 0, 0, 0},
        {"date 32 of December", 0, 2024, 11, 32, 0, 0, 0, 0},
        {"date 30 of February 2000", 0, 2000, 1, 30, 0, 0, 0, 0},
        {"date 29 of February 1900", 0, 1900, 1, 29, 0, 0, 0, 0},
        {"date 29 of February 2100", 0, 2100, 1, 29, 0, 0, 0, 0},
        {"date 400", 0, 2001, 0, 400, 0, 0, 0, 0},
        {"date -400", 0, 2001, 0, -400, 0, 0, 0, 0},
        {"leap day end", 0, 2024, 1, 29, 23, 59, 59, 999},
        {"millisecond -1", 0, 1970, 0, 1, 0, 0, 0, -1},
        {"second 60", 0, 1969, 11, 31, 23, 59, 60, 0},
        {"millisecond one day", 0, 1970, 0, 1, 0, 0, 0, 86400000},
        {"minute 1440", -18000000, 1999, 11, 31, 0, 1440, 0, 0},
        {"minute 40000", 0, 1970, 0, 1, 0, 40000, 0, 0},
        {"hour -1", 0, 1970, 0, 1, -1, 0, 0, 0},
        {"hour 24", 0, 1999, 11, 31, 24, 0, 0, 0},
        {"hour 25", 0, 1999, 11, 31, 25, 0, 0, 0},
        {"year end in +05:30", 19800000, 1999, 11, 31, 23, 59, 59, 999},
        {"year start in -05:00", -18000000, 2000, 0, 1, 0, 0, 0, 0},
        {"year start in +23:59", 86340000, 2000, 0, 1, 0, 0, 0, 0},
        {"year end in -23:59", -86340000, 1999, 11, 31, 23, 59, 0, 0},
        {"cutover", 0, 1582, 9, 15, 0, 0, 0, 0},
        {"last Julian day", 0, 1582, 9, 4, 0, 0, 0, 0},
        {"gap 5 October 1582", 0, 1582, 9, 5, 0, 0, 0, 0},
        {"gap 10 October 1582", 0, 1582, 9, 10, 0, 0, 0, 0},
        {"gap 14 October 1582", 0, 1582, 9, 14, 0, 0, 0, 0},
        {"1582 end", 0, 1582, 11, 31, 0, 0, 0, 0},
        {"1582 start", 0, 1582, 0, 1, 0, 0, 0, 0},
        {"1581 month 14", 0, 1581, 14, 1, 0, 0, 0, 0},
        {"1583 month -3", 0, 1583, -3, 20, 0, 0, 0, 0},
        {"1583 month -3 date 1", 0, 1583, -3, 1, 0, 0, 0, 0},
        {"year 1", 0, 1, 0, 1, 0, 0, 0, 0},
        {"Julian leap day of 4", 0, 4, 1, 29, 0, 0, 0, 0},
        {"Julian leap day of 100", 0, 100, 1, 29, 0, 0, 0, 0},
        {"Julian leap day of 1500", 0, 1500, 1, 29, 0, 0, 0, 0},
        {"no leap day in 1700", 0, 1700, 1, 29, 0, 0, 0, 0},
        {"2038", 0, 2038, 0, 19, 3, 14, 8, 0},
        {"9999 end", 0, 9999, 11, 31, 23, 59, 59, 999},
        {"year 200000", 3600000, 200000, 5, 15, 12, 30, 0, 0},
    };

    // Date.toString in GMT.
    static final long[] DATES = {
        0L, -1L, 951782400000L, -12219292800000L, -12219292800001L, 1709251200000L,
        -30578169600000L, -59043168000000L, -62135769600000L, -60985440000000L, -30636230400000L, -61878211200000L,
        253402300799999L, 253402300800000L,
    };

    static final int[] FIELDS = {
        Calendar.ERA, Calendar.YEAR, Calendar.MONTH, Calendar.DATE, Calendar.DAY_OF_WEEK, Calendar.AM_PM,
        Calendar.HOUR, Calendar.HOUR_OF_DAY, Calendar.MINUTE, Calendar.SECOND, Calendar.MILLISECOND,
    };

    static GregorianCalendar calendar(int offset) {
        return new GregorianCalendar(new SimpleTimeZone(offset, "X"));
    }

    static String fieldList(Calendar c) {
        StringBuilder s = new StringBuilder();
        for (int field : FIELDS) s.append(c.get(field)).append(", ");
        return s.toString();
    }

    static String literal(long v) {
        if (v == Long.MIN_VALUE) return "INT64_MIN";
        return v + "LL";
    }

    static boolean overflows(long t, int offset) {
        long sum = t + offset;
        return (t > 0 && offset > 0 && sum < 0) || (t < 0 && offset < 0 && sum > 0)
            || (offset > 0 && t > Long.MAX_VALUE - offset) || (offset < 0 && t < Long.MIN_VALUE - offset);
    }

    public static void main(String[] args) {
        StringBuilder out = new StringBuilder();
        out.append("// Regenerate from the repository root with OpenJDK 17: java tests/j2me/reference/CalendarReference.java > tests/j2me/reference/CalendarReference.inc\n");
        out.append("// Calendar fields and times of OpenJDK ").append(System.getProperty("java.version"))
           .append(" (java.util.GregorianCalendar, fixed-offset zones). Generated: do not edit.\n");
        out.append("#pragma once\n\n#include <cstdint>\n\nnamespace calendar_reference {\n\n");

        out.append("// An instant in a zone: the fields ERA, YEAR, MONTH, DATE, DAY_OF_WEEK, AM_PM, HOUR,\n");
        out.append("// HOUR_OF_DAY, MINUTE, SECOND, MILLISECOND, and the time that YEAR to MILLISECOND give back\n");
        out.append("// when set on a cleared calendar with ERA AD (for BC fields: the same year counted AD).\n");
        out.append("struct Instant {\n    int64_t time;\n    int32_t offset;\n    int32_t fields[11];\n    int64_t timeFromFields;\n};\n\n");
        out.append("inline constexpr Instant kInstants[] = {\n");
        for (int offset : OFFSETS) {
            for (long t : INSTANTS) {
                // Sums beyond the 64-bit range are pinned here; OpenJDK does not pin. Tested apart.
                if (overflows(t, offset)) continue;
                GregorianCalendar c = calendar(offset);
                c.setTimeInMillis(t);
                GregorianCalendar back = calendar(offset);
                back.clear();
                back.set(Calendar.ERA, GregorianCalendar.AD);
                back.set(c.get(Calendar.YEAR), c.get(Calendar.MONTH), c.get(Calendar.DATE),
                         c.get(Calendar.HOUR_OF_DAY), c.get(Calendar.MINUTE), c.get(Calendar.SECOND));
                back.set(Calendar.MILLISECOND, c.get(Calendar.MILLISECOND));
                out.append("    {").append(literal(t)).append(", ").append(offset).append(", {")
                   .append(fieldList(c).replaceAll(", $", "")).append("}, ")
                   .append(literal(back.getTimeInMillis())).append("},\n");
            }
        }
        out.append("};\n\n");

        out.append("// Fields set on a cleared calendar (ERA AD): the time they give, then the fields of that time.\n");
        out.append("struct FieldSet {\n    const char* label;\n    int32_t offset;\n    int32_t year, month, date, hourOfDay, minute, second, millisecond;\n");
        out.append("    int64_t time;\n    int32_t fields[11];\n};\n\n");
        out.append("inline constexpr FieldSet kFieldSets[] = {\n");
        for (Object[] set : SETS) {
            int offset = (Integer) set[1];
            GregorianCalendar c = calendar(offset);
            c.clear();
            c.set(Calendar.YEAR, (Integer) set[2]);
            c.set(Calendar.MONTH, (Integer) set[3]);
            c.set(Calendar.DATE, (Integer) set[4]);
            c.set(Calendar.HOUR_OF_DAY, (Integer) set[5]);
            c.set(Calendar.MINUTE, (Integer) set[6]);
            c.set(Calendar.SECOND, (Integer) set[7]);
            c.set(Calendar.MILLISECOND, (Integer) set[8]);
            long time = c.getTimeInMillis();
            out.append("    {\"").append(set[0]).append("\", ").append(offset);
            for (int i = 2; i <= 8; ++i) out.append(", ").append(set[i]);
            out.append(", ").append(literal(time)).append(", {").append(fieldList(c).replaceAll(", $", "")).append("}},\n");
        }
        out.append("};\n\n");

        out.append("// Date.toString with GMT as the default zone.\n");
        out.append("struct DateText {\n    int64_t time;\n    const char* text;\n};\n\n");
        out.append("inline constexpr DateText kDateTexts[] = {\n");
        TimeZone.setDefault(TimeZone.getTimeZone("GMT"));
        for (long t : DATES) out.append("    {").append(literal(t)).append(", \"").append(new Date(t)).append("\"},\n");
        out.append("};\n\n}  // namespace calendar_reference\n");
        System.out.print(out);
    }
}
