// Sales invoices (domain).
