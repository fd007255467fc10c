// Customer purchase orders (domain).
